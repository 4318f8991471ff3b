// The data window as a modal dialog with an OK and a Cancel button, centred at show time with a
// gap between them, or with OK alone (mode 1), which then also answers Escape.
#pragma once

#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "src/FormReposit/uBaseForm.h"

class TDlgBaseForm : public TBaseForm {
  RTL_CLASS(TDlgBaseForm, TBaseForm)
 public:
  TPanel* Panel1 = nullptr;
  TBevel* BaseBevelDlg = nullptr;
  TBitBtn* OkBtn = nullptr;
  TBitBtn* CancelBtn = nullptr;
  TOraPackage* PARAM_PACK = nullptr;

  using TBaseForm::Construct;
  void Construct(TComponent* owner, TOraSession* session, const String& schema,
                 bool noCenterButtons, uint8_t buttonMode);

  uint8_t ButtonMode() const { return FButtonMode; }
  int ButtonsSpace() const { return FButtonsSpace; }
  void SetButtonsSpace(int value) { FButtonsSpace = value; }
  bool NoCenterButtons() const { return FNoCenterButtons; }

  virtual int GetButtonsSpace() { return 40; }
  void LoadResources() override;

 protected:
  TDlgBaseForm() = default;
  void ReadResource() override;
  void FormCreate(TObject* sender) override;
  void FormShow(TObject* sender) override;

 private:
  void ApplyButtonMode();
  void CenterButtons();

  uint8_t FButtonMode = 0;
  int FButtonsSpace = 0;
  bool FNoCenterButtons = false;
};
