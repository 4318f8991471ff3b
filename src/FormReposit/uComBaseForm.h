// What every window of the suite has: the interface language (the window is translated after
// its first show unless it was closed first), the sources link its controls take their texts
// through, and the locale's date formats on its date controls.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/ActnList.h"
#include "platform/ui/VRXComponents.h"
#include "src/FormReposit/uVariantForm.h"

class TStringList;

class TComBaseForm : public TVariantForm {
  RTL_CLASS(TComBaseForm, TVariantForm)
 public:
  // Language flags: application texts, report texts need translation.
  static constexpr uint8_t lfAplTranslation = 2;
  static constexpr uint8_t lfRepTranslation = 4;

  TVRXSourcesReference* VRXSourcesReference = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* acDBGExist = nullptr;

  void Construct(TComponent* owner) override;

  uint8_t LanguageFlags() const { return FLanguageFlags; }
  // The automatic translation leaves the component alone: the window sets its texts itself.
  void DontTranslate(TComponent* component);
  bool IsExcludedFromTranslation(const TComponent* component) const;
  // The window's own caption is left out of the automatic translation.
  void KeepOwnCaption() { FKeepCaption = true; }
  bool KeepCaption() const { return FKeepCaption; }
  bool Closed() const { return FClosed; }
  TStringList* ExtraPhrases() const { return FExtraPhrases; }
  // The window's language sources: the texts its controls take through VRXSourcesReference.
  TStringList* Sources() const { return FSources; }

  virtual void AfterTranslate() {}
  // Runs at construction only when the resource module is loaded.
  virtual void LoadResources() {}
  virtual void TranslateCaptions();

 protected:
  TComBaseForm() = default;
  void ReadResource() override;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;
  void DoShow() override;
  // The automatic translation pass over the window's components.
  virtual void TranslateWindow() {}

  virtual void FormCreate(TObject* sender);
  virtual void FormShow(TObject* sender) {}
  virtual void FormClose(TObject* sender, TCloseAction& action);
  virtual void FormDestroy(TObject* sender);
  void acDBGExistExecute(TObject* sender) {}

 private:
  void LinkSourcesAndFormats(TWinControl* parent);
  void DropExclusions();

  // Exists only while the window still has to be translated.
  std::unique_ptr<std::vector<TComponent*>> FExclusions;
  uint8_t FLanguageFlags = 0;
  bool FClosed = false;
  bool FKeepCaption = false;
  TStringList* FSources = nullptr;
  TStringList* FExtraPhrases = nullptr;
};
