#include "platform/ui/StdCtrls.h"

#include <algorithm>

#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL(TCustomLabel, TGraphicControl)
RTL_CLASS_IMPL_CREATABLE(TLabel, TCustomLabel)
RTL_CLASS_IMPL(TCustomEdit, TWinControl)
RTL_CLASS_IMPL_CREATABLE(TEdit, TCustomEdit)
RTL_CLASS_IMPL(TCustomMemo, TCustomEdit)
RTL_CLASS_IMPL_CREATABLE(TMemo, TCustomMemo)
RTL_CLASS_IMPL(TCustomComboBox, TWinControl)
RTL_CLASS_IMPL_CREATABLE(TComboBox, TCustomComboBox)
RTL_CLASS_IMPL(TCustomListBox, TWinControl)
RTL_CLASS_IMPL_CREATABLE(TListBox, TCustomListBox)
RTL_CLASS_IMPL(TButtonControl, TWinControl)
RTL_CLASS_IMPL_CREATABLE(TButton, TButtonControl)
RTL_CLASS_IMPL(TCustomCheckBox, TButtonControl)
RTL_CLASS_IMPL_CREATABLE(TCheckBox, TCustomCheckBox)
RTL_CLASS_IMPL_CREATABLE(TRadioButton, TButtonControl)
RTL_CLASS_IMPL(TCustomGroupBox, TCustomControl)
RTL_CLASS_IMPL_CREATABLE(TGroupBox, TCustomGroupBox)

namespace {

const char* const LineBreak = "\r\n";

// The messages through which a kind of box keeps its lines.
struct TItemMessages {
  uint32_t Add;
  uint32_t Insert;
  uint32_t Delete;
  uint32_t Reset;
};
constexpr TItemMessages ComboBoxMessages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
                                         CB_RESETCONTENT};
constexpr TItemMessages ListBoxMessages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
                                        LB_RESETCONTENT};

// Applies a line message to the store; false for other messages.
bool HandleItemMessage(TMessage& message, TItemStore& store, const TItemMessages& messages) {
  const auto count = static_cast<intptr_t>(store.Texts.size());
  if (message.Msg == messages.Add || message.Msg == messages.Insert) {
    intptr_t index = message.Msg == messages.Add ? count : message.WParam;
    if (index < 0 || index > count) index = count;
    store.Texts.insert(store.Texts.begin() + index, MessageText(message));
    store.Objects.insert(store.Objects.begin() + index, nullptr);
    if (store.ItemIndex >= index) ++store.ItemIndex;
    message.Result = index;
  } else if (message.Msg == messages.Delete) {
    if (message.WParam < 0 || message.WParam >= count) ListIndexError(int(message.WParam));
    store.Texts.erase(store.Texts.begin() + message.WParam);
    store.Objects.erase(store.Objects.begin() + message.WParam);
    // The current line goes with its line and moves up when a line above goes.
    if (store.ItemIndex == message.WParam)
      store.ItemIndex = -1;
    else if (store.ItemIndex > message.WParam)
      --store.ItemIndex;
    message.Result = count - 1;
  } else if (message.Msg == messages.Reset) {
    store.Texts.clear();
    store.Objects.clear();
    store.ItemIndex = -1;
  } else {
    return false;
  }
  return true;
}

// The Items of a combo or list box: every change goes through the box's line messages.
class TControlItems : public TStrings {
  RTL_CLASS(TControlItems, TStrings)
 public:
  void Construct(TWinControl* control, TItemStore* store, const TItemMessages* messages) {
    FControl = control;
    FStore = store;
    FMessages = messages;
  }
  int Count() const override { return static_cast<int>(FStore->Texts.size()); }
  String Strings(int index) const override {
    CheckIndex(index, Count());
    return FStore->Texts[static_cast<size_t>(index)];
  }
  TObject* Objects(int index) const override {
    CheckIndex(index, Count());
    return FStore->Objects[static_cast<size_t>(index)];
  }
  void SetObjects(int index, TObject* object) override {
    CheckIndex(index, Count());
    FStore->Objects[static_cast<size_t>(index)] = object;
  }
  int AddObject(const String& value, TObject* object) override {
    String text = value;
    const int index = static_cast<int>(FControl->Perform(FMessages->Add, 0, TextParam(text)));
    FStore->Objects[static_cast<size_t>(index)] = object;
    return index;
  }
  void InsertObject(int index, const String& value, TObject* object) override {
    CheckIndex(index, Count() + 1);
    String text = value;
    FControl->Perform(FMessages->Insert, index, TextParam(text));
    FStore->Objects[static_cast<size_t>(index)] = object;
  }
  // A line is replaced by deleting it and inserting the new text, keeping its object and the
  // current line.
  void SetStrings(int index, const String& value) override {
    TObject* object = Objects(index);
    const int current = FStore->ItemIndex;
    Delete(index);
    InsertObject(index, value, object);
    FStore->ItemIndex = current;
  }
  void Delete(int index) override {
    CheckIndex(index, Count());
    FControl->Perform(FMessages->Delete, index);
  }
  void Clear() override { FControl->Perform(FMessages->Reset); }

 protected:
  TControlItems() = default;

 private:
  TWinControl* FControl = nullptr;
  TItemStore* FStore = nullptr;
  const TItemMessages* FMessages = nullptr;
};
RTL_CLASS_IMPL(TControlItems, TStrings)

std::vector<String> SplitLines(const String& text) {
  std::vector<String> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == String::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, LineBreak) == 0 ? 2 : 1);
  }
  return lines;
}

String JoinLines(const std::vector<String>& lines) {
  String text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += LineBreak;
    text += lines[i];
  }
  return text;
}

// The Lines of a memo: a view of its text, which every change sets anew.
class TMemoLines : public TStrings {
  RTL_CLASS(TMemoLines, TStrings)
 public:
  void Construct(TCustomMemo* memo) { FMemo = memo; }
  int Count() const override { return static_cast<int>(SplitLines(FMemo->Text()).size()); }
  String Strings(int index) const override {
    const std::vector<String> lines = SplitLines(FMemo->Text());
    CheckIndex(index, static_cast<int>(lines.size()));
    return lines[static_cast<size_t>(index)];
  }
  void SetStrings(int index, const String& value) override {
    Change([&](std::vector<String>& lines) {
      CheckIndex(index, static_cast<int>(lines.size()));
      lines[static_cast<size_t>(index)] = value;
    });
  }
  void InsertObject(int index, const String& value, TObject*) override {
    Change([&](std::vector<String>& lines) {
      CheckIndex(index, static_cast<int>(lines.size()) + 1);
      lines.insert(lines.begin() + index, value);
    });
  }
  void Delete(int index) override {
    Change([&](std::vector<String>& lines) {
      CheckIndex(index, static_cast<int>(lines.size()));
      lines.erase(lines.begin() + index);
    });
  }
  void Clear() override { FMemo->SetText(String()); }

 protected:
  TMemoLines() = default;

 private:
  template <class F>
  void Change(F change) {
    std::vector<String> lines = SplitLines(FMemo->Text());
    change(lines);
    FMemo->SetText(JoinLines(lines));
  }
  TCustomMemo* FMemo = nullptr;
};
RTL_CLASS_IMPL(TMemoLines, TStrings)

const bool StdPropertiesRegistered =
    RegisterProperties(TLabel::ClassInfo(), {CaptionProperty<TLabel>()}) &&
    RegisterProperties(TEdit::ClassInfo(), {TextProperty<TEdit>()}) &&
    RegisterProperties(
        TMemo::ClassInfo(),
        {ObjectProperty<TMemo>("Lines", [](const TMemo* m) { return m->Lines(); })}) &&
    RegisterProperties(
        TComboBox::ClassInfo(),
        {TextProperty<TComboBox>(), ItemsProperty<TComboBox>(), ItemIndexProperty<TComboBox>()}) &&
    RegisterProperties(TListBox::ClassInfo(),
                       {ItemsProperty<TListBox>(), ItemIndexProperty<TListBox>()}) &&
    RegisterProperties(TButton::ClassInfo(), {CaptionProperty<TButton>()}) &&
    RegisterProperties(
        TCheckBox::ClassInfo(),
        {CaptionProperty<TCheckBox>(),
         ValueProperty<TCheckBox>(
             "Checked", [](const TCheckBox* c) { return Variant(c->Checked()); },
             [](TCheckBox* c, const Variant& v) { c->SetChecked(v.AsBoolean()); })}) &&
    RegisterProperties(TRadioButton::ClassInfo(), {CaptionProperty<TRadioButton>()}) &&
    RegisterProperties(TGroupBox::ClassInfo(), {CaptionProperty<TGroupBox>()});

}  // namespace

// --- TCustomLabel ----------------------------------------------------------------------------

void TCustomLabel::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetParentColor(true);
  SetBounds(0, 0, 65, 13);
}

void TCustomLabel::SetAutoSize(bool value) {
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (FFocusControl == control) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = control;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TCustomLabel::TextChanged() { AdjustBounds(); }
void TCustomLabel::FontChanged() { AdjustBounds(); }

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || Loading() || FWordWrap) return;
  Canvas()->Font()->Assign(Font());
  SetBounds(Left(), Top(), Canvas()->TextWidth(Caption()), Canvas()->TextHeight(Caption()));
}

void TCustomLabel::Paint() {
  if (!FTransparent) Canvas()->FillRect(ClientRect());
  Canvas()->TextRect(ClientRect(), 0, 0, Caption());
}

// --- TCustomEdit, TCustomMemo ----------------------------------------------------------------

void TCustomEdit::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::TextChanged() { Change(); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::KeyPress(char& key) {
  inherited::KeyPress(key);
  if (key == 0 || FReadOnly) return;
  String text = Text();
  if (key == VK_BACK) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
      text.pop_back();
    if (!text.empty()) text.pop_back();
  } else if (static_cast<unsigned char>(key) >= ' ') {
    if (FMaxLength > 0 && static_cast<int>(text.size()) >= FMaxLength) return;
    text += key;
  } else {
    return;
  }
  FModified = true;
  SetText(text);
}

void TCustomMemo::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FLines = TMemoLines::Create(this);
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::Destroy() {
  FreeAndNil(FLines);
  inherited::Destroy();
}

uint32_t TCustomMemo::GetDlgCode() const {
  uint32_t code = inherited::GetDlgCode();
  if (FWantReturns) code |= DLGC_WANTALLKEYS;
  if (FWantTabs) code |= DLGC_WANTTAB;
  return code;
}

void TCustomMemo::KeyPress(char& key) {
  if (key == VK_RETURN && FWantReturns && !ReadOnly()) {
    TWinControl::KeyPress(key);
    if (key) SetText(Text() + LineBreak);
    return;
  }
  inherited::KeyPress(key);
}

// --- TCustomComboBox -------------------------------------------------------------------------

void TCustomComboBox::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FItems = TControlItems::Create(this, &FStore, &ComboBoxMessages);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::Destroy() {
  FreeAndNil(FItems);
  inherited::Destroy();
}

void TCustomComboBox::WndProc(TMessage& message) {
  if (!HandleItemMessage(message, FStore, ComboBoxMessages)) inherited::WndProc(message);
}

void TCustomComboBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems->Count()) value = -1;
  FStore.ItemIndex = value;
  SetText(value < 0 ? String() : FItems->Strings(value));
}

void TCustomComboBox::SetDroppedDown(bool value) {
  if (FDroppedDown == value) return;
  FDroppedDown = value;
  if (value && OnDropDown) OnDropDown(this);
  if (!value && OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::SelectItem(int index) {
  if (index < 0 || index >= FItems->Count()) ListIndexError(index);
  SetItemIndex(index);
  if (OnChange) OnChange(this);
  if (OnSelect) OnSelect(this);
}

// --- TCustomListBox --------------------------------------------------------------------------

void TCustomListBox::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FItems = TControlItems::Create(this, &FStore, &ListBoxMessages);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::Destroy() {
  FreeAndNil(FItems);
  inherited::Destroy();
}

void TCustomListBox::WndProc(TMessage& message) {
  if (!HandleItemMessage(message, FStore, ListBoxMessages)) return inherited::WndProc(message);
  // Selection marks go with a change of lines; the current line stays selected.
  FSelected.assign(FStore.Texts.size(), false);
  if (FStore.ItemIndex >= 0) FSelected[static_cast<size_t>(FStore.ItemIndex)] = true;
}

void TCustomListBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems->Count()) value = -1;
  if (!FMultiSelect) FSelected.assign(FStore.Texts.size(), false);
  FStore.ItemIndex = value;
  if (value >= 0) FSelected[static_cast<size_t>(value)] = true;
}

bool TCustomListBox::Selected(int index) const {
  if (index < 0 || index >= FItems->Count()) ListIndexError(index);
  return FSelected[static_cast<size_t>(index)];
}

void TCustomListBox::SetSelected(int index, bool value) {
  if (index < 0 || index >= FItems->Count()) ListIndexError(index);
  if (!FMultiSelect && value) return SetItemIndex(index);
  FSelected[static_cast<size_t>(index)] = value;
}

int TCustomListBox::SelCount() const {
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::SelectItem(int index) {
  if (index < 0 || index >= FItems->Count()) ListIndexError(index);
  SetItemIndex(index);
  Click();
}

// --- buttons ---------------------------------------------------------------------------------

void TButtonControl::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetTabStop(true);
}

void TButtonControl::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (key == VK_SPACE && shift == 0) MouseClick();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  inherited::Click();
}

bool TButton::TakesDialogKey(uint16_t key, TShiftState shift) const {
  if (shift != 0 || !CanFocus()) return false;
  if (key == VK_ESCAPE) return FCancel;
  if (key != VK_RETURN) return false;
  // The default button answers Enter unless another button has the focus; a focused button
  // answers it itself.
  const TCustomForm* form = GetParentForm(this);
  const TWinControl* focused = form ? form->ActiveControl() : nullptr;
  return focused == this || (FDefault && !dynamic_cast<const TButton*>(focused));
}

void TButton::WndProc(TMessage& message) {
  if (message.Msg == CM_DIALOGKEY && TakesDialogKey(static_cast<uint16_t>(message.WParam),
                                                    static_cast<TShiftState>(message.LParam))) {
    message.Result = 1;
    Click();
    return;
  }
  inherited::WndProc(message);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (FState == value) return;
  FState = value;
  Invalidate();
  if (!Loading()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked:
      SetState(FAllowGrayed ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

bool TCustomCheckBox::HasActionProperty(TActionProperty property) const {
  return property == apChecked || inherited::HasActionProperty(property);
}

Variant TCustomCheckBox::GetActionProperty(TActionProperty property) const {
  return property == apChecked ? Variant(Checked()) : inherited::GetActionProperty(property);
}

void TCustomCheckBox::SetActionProperty(TActionProperty property, const Variant& value) {
  if (property != apChecked) return inherited::SetActionProperty(property, value);
  // The action's state is shown, not clicked.
  FState = value.AsBoolean() ? cbChecked : cbUnchecked;
  Invalidate();
}

void TRadioButton::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  Invalidate();
  if (!value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling && sibling != this) sibling->FChecked = false;
    }
  }
  if (!Loading()) Click();
}
