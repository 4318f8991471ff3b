// Data-aware controls: the navigator and the memo bound to a field.
#pragma once

#include <memory>

#include "platform/db/DataSource.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"

enum TNavigateBtn {
  nbFirst,
  nbPrior,
  nbNext,
  nbLast,
  nbInsert,
  nbDelete,
  nbEdit,
  nbPost,
  nbCancel,
  nbRefresh
};
constexpr int NavigateButtonCount = 10;

using TNavButtonSet = uint16_t;
constexpr TNavButtonSet NavButton(TNavigateBtn button) { return TNavButtonSet(1u << button); }
constexpr TNavButtonSet AllNavButtons = (1u << NavigateButtonCount) - 1;

class TDBNavigator;
class TNavDataLink;

// A button of the navigator; clicking it runs the navigator's action for it.
class TNavButton : public TSpeedButton {
  RTL_CLASS(TNavButton, TSpeedButton)
 public:
  using TSpeedButton::Construct;
  void Construct(TDBNavigator* navigator, TNavigateBtn index);
  TNavigateBtn Index() const { return FIndex; }

 protected:
  TNavButton() = default;
  void Click() override;

 private:
  TDBNavigator* FNavigator = nullptr;
  TNavigateBtn FIndex = nbFirst;
};

using TNavClickEvent = Event<void(TObject* sender, TNavigateBtn button)>;

// A bar of buttons that move through and edit the dataset of a data source. A button is enabled
// only where it can act (no First at the first row, Post only while editing, ...). Hints holds
// the buttons' hints in button order; a button without a line there keeps its own.
class TDBNavigator : public TCustomPanel {
  RTL_CLASS(TDBNavigator, TCustomPanel)
 public:
  void Construct(TComponent* owner) override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  TNavButtonSet VisibleButtons() const { return FVisibleButtons; }
  void SetVisibleButtons(TNavButtonSet value);
  TStrings* Hints() const { return FHints; }
  void SetHints(TStrings* hints) { FHints->Assign(hints); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  bool ConfirmDelete() const { return FConfirmDelete; }
  void SetConfirmDelete(bool value) { FConfirmDelete = value; }
  TNavButton* Buttons(TNavigateBtn button) const { return FButtons[button]; }
  // Runs the button's action on the dataset, then OnClick.
  void BtnClick(TNavigateBtn button);

  TNavClickEvent OnClick;

 protected:
  TDBNavigator();
  ~TDBNavigator() override;
  void Destroy() override;
  void Resize() override;

 private:
  friend class TNavDataLink;
  void UpdateButtons();
  void ArrangeButtons();
  void HintsChanged(TObject* sender);
  void RunAction(TDataSet* dataSet, TNavigateBtn button);

  TNavButton* FButtons[NavigateButtonCount] = {};
  std::unique_ptr<TNavDataLink> FDataLink;
  TStringList* FHints = nullptr;
  TNavButtonSet FVisibleButtons = AllNavButtons;
  bool FFlat = false;
  bool FConfirmDelete = true;
};

class TFieldDataLink;

// A memo that shows a field of the current record and, unless read-only, edits it.
class TDBMemo : public TCustomMemo {
  RTL_CLASS(TDBMemo, TCustomMemo)
 public:
  void Construct(TComponent* owner) override;
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  const String& DataField() const { return FDataField; }
  void SetDataField(const String& value);
  // The field of that name in the data source's dataset.
  TField* Field() const;

 protected:
  TDBMemo();
  ~TDBMemo() override;
  void Destroy() override;
  void KeyPress(char& key) override;
  void Change() override;

 private:
  friend class TFieldDataLink;
  void LoadFromField();

  std::unique_ptr<TFieldDataLink> FDataLink;
  String FDataField;
  bool FLoading = false;
};
