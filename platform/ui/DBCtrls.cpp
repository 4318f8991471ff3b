#include "platform/ui/DBCtrls.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

RTL_CLASS_IMPL(TNavButton, TSpeedButton)
RTL_CLASS_IMPL_CREATABLE(TDBNavigator, TCustomPanel)
RTL_CLASS_IMPL_CREATABLE(TDBMemo, TCustomMemo)

namespace {

const char* const DefaultNavHints[NavigateButtonCount] = {
    "First record",  "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data"};

}  // namespace

// The navigator follows its dataset's position and state.
class TNavDataLink : public TDataLink {
 public:
  explicit TNavDataLink(TDBNavigator* navigator) : FNavigator(navigator) {}

 protected:
  void ActiveChanged() override { FNavigator->UpdateButtons(); }
  void EditingChanged() override { FNavigator->UpdateButtons(); }
  void DataSetChanged() override { FNavigator->UpdateButtons(); }

 private:
  TDBNavigator* FNavigator;
};

// The memo shows its field whenever the record or the dataset changes.
class TFieldDataLink : public TDataLink {
 public:
  explicit TFieldDataLink(TDBMemo* memo) : FMemo(memo) {}

 protected:
  void ActiveChanged() override { FMemo->LoadFromField(); }
  void DataSetChanged() override { FMemo->LoadFromField(); }
  void LayoutChanged() override { FMemo->LoadFromField(); }
  void RecordChanged(TField* field) override {
    if (!field || field == FMemo->Field()) FMemo->LoadFromField();
  }

 private:
  TDBMemo* FMemo;
};

// --- TNavButton ------------------------------------------------------------------------------

void TNavButton::Construct(TDBNavigator* navigator, TNavigateBtn index) {
  inherited::Construct(navigator);
  FNavigator = navigator;
  FIndex = index;
  SetHint(DefaultNavHints[index]);
  SetParent(navigator);
}

void TNavButton::Click() {
  if (FNavigator) FNavigator->BtnClick(FIndex);
}

// --- TDBNavigator ----------------------------------------------------------------------------

TDBNavigator::TDBNavigator() = default;
TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetBevelOuter(bvNone);
  FDataLink = std::make_unique<TNavDataLink>(this);
  FHints = TStringList::Create();
  FHints->OnChange = TNotifyEvent(this, &TDBNavigator::HintsChanged);
  for (int i = 0; i < NavigateButtonCount; ++i)
    FButtons[i] = TNavButton::Create(this, static_cast<TNavigateBtn>(i));
  SetBounds(0, 0, 240, 25);
  UpdateButtons();
}

void TDBNavigator::Destroy() {
  FDataLink.reset();
  FreeAndNil(FHints);
  inherited::Destroy();
}

TDataSource* TDBNavigator::DataSource() const {
  return FDataLink ? FDataLink->DataSource() : nullptr;
}

void TDBNavigator::SetDataSource(TDataSource* source) {
  FDataLink->SetDataSource(source);
  UpdateButtons();
}

void TDBNavigator::SetVisibleButtons(TNavButtonSet value) {
  FVisibleButtons = value;
  for (int i = 0; i < NavigateButtonCount; ++i)
    FButtons[i]->SetVisible((value & NavButton(TNavigateBtn(i))) != 0);
  ArrangeButtons();
}

void TDBNavigator::SetFlat(bool value) {
  FFlat = value;
  for (TNavButton* button : FButtons) button->SetFlat(value);
}

void TDBNavigator::Resize() {
  ArrangeButtons();
  inherited::Resize();
}

void TDBNavigator::ArrangeButtons() {
  int shown = 0;
  for (TNavButton* button : FButtons)
    if (button && button->Visible()) ++shown;
  if (shown == 0) return;
  const int width = ClientWidth() / shown;
  int left = 0;
  for (TNavButton* button : FButtons) {
    if (!button || !button->Visible()) continue;
    button->SetBounds(left, 0, width, ClientHeight());
    left += width;
  }
}

void TDBNavigator::HintsChanged(TObject*) {
  for (int i = 0; i < NavigateButtonCount; ++i) {
    const String hint = i < FHints->Count() ? FHints->Strings(i) : String();
    FButtons[i]->SetHint(hint.empty() ? String(DefaultNavHints[i]) : hint);
  }
}

void TDBNavigator::UpdateButtons() {
  if (!FButtons[0]) return;
  TDataSet* dataSet = FDataLink ? FDataLink->DataSet() : nullptr;
  const bool active = FDataLink && FDataLink->Active() && dataSet;
  const bool canModify = active && dataSet->CanModify();
  const bool editing = active && FDataLink->Editing();
  const bool up = active && !dataSet->Bof();
  const bool down = active && !dataSet->Eof();
  const bool enabled[NavigateButtonCount] = {up,
                                             up,
                                             down,
                                             down,
                                             canModify,
                                             canModify && !dataSet->IsEmpty(),
                                             canModify && !editing,
                                             canModify && editing,
                                             canModify && editing,
                                             active};
  for (int i = 0; i < NavigateButtonCount; ++i) FButtons[i]->SetEnabled(enabled[i]);
}

void TDBNavigator::RunAction(TDataSet* dataSet, TNavigateBtn button) {
  switch (button) {
    case nbFirst:
      dataSet->First();
      break;
    case nbPrior:
      dataSet->Prior();
      break;
    case nbNext:
      dataSet->Next();
      break;
    case nbLast:
      dataSet->Last();
      break;
    case nbInsert:
      dataSet->Insert();
      break;
    case nbEdit:
      dataSet->Edit();
      break;
    case nbPost:
      dataSet->Post();
      break;
    case nbCancel:
      dataSet->Cancel();
      break;
    case nbRefresh:
      dataSet->Refresh();
      break;
    case nbDelete:
      if (!FConfirmDelete || Application->MessageBox("Delete record?", "Confirm",
                                                     MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL)
        dataSet->Delete();
      break;
  }
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
  TDataSet* dataSet = FDataLink->DataSet();
  if (FDataLink->Active() && dataSet) RunAction(dataSet, button);
  if (OnClick) OnClick(this, button);
}

// --- TDBMemo ---------------------------------------------------------------------------------

TDBMemo::TDBMemo() = default;
TDBMemo::~TDBMemo() = default;

void TDBMemo::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FDataLink = std::make_unique<TFieldDataLink>(this);
}

void TDBMemo::Destroy() {
  FDataLink.reset();
  inherited::Destroy();
}

TDataSource* TDBMemo::DataSource() const { return FDataLink ? FDataLink->DataSource() : nullptr; }

void TDBMemo::SetDataSource(TDataSource* source) {
  FDataLink->SetDataSource(source);
  LoadFromField();
}

void TDBMemo::SetDataField(const String& value) {
  FDataField = value;
  LoadFromField();
}

TField* TDBMemo::Field() const {
  TDataSet* dataSet = FDataLink ? FDataLink->DataSet() : nullptr;
  return dataSet && !FDataField.empty() ? dataSet->FindField(FDataField) : nullptr;
}

void TDBMemo::LoadFromField() {
  if (!FDataLink) return;
  const TField* field = FDataLink->Active() ? Field() : nullptr;
  FLoading = true;
  SetText(field ? field->AsString() : String());
  FLoading = false;
  SetModified(false);
}

void TDBMemo::KeyPress(char& key) {
  if (!ReadOnly() && key != 0) {
    // Typing needs a field whose dataset can be edited; otherwise the key is refused.
    TField* field = Field();
    if (!field || !field->DataSet()->CanModify() || !FDataLink->Edit()) {
      MessageBeep(0);
      key = 0;
      return;
    }
  }
  inherited::KeyPress(key);
}

void TDBMemo::Change() {
  inherited::Change();
  TField* field = Field();
  if (!FLoading && field && FDataLink->Editing()) field->SetAsString(Text());
}
