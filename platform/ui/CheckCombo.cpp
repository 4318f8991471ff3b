#include "platform/ui/CheckCombo.h"

#include <algorithm>

#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL_CREATABLE(TCheckComboBox, TWinControl)

namespace {
const bool CheckComboPropertiesRegistered = RegisterProperties(
    TCheckComboBox::ClassInfo(), {TextProperty<TCheckComboBox>(), ItemsProperty<TCheckComboBox>()});
}  // namespace

void TCheckComboBox::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FItems = TStringList::Create();
  FItems->OnChange = TNotifyEvent(this, &TCheckComboBox::ItemsChanged);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TCheckComboBox::Destroy() {
  FreeAndNil(FItems);
  inherited::Destroy();
}

bool TCheckComboBox::Checked(int index) const {
  if (index < 0 || index >= FItems->Count()) ListIndexError(index);
  return FChecked[static_cast<size_t>(index)];
}

void TCheckComboBox::SetChecked(int index, bool value) {
  if (Checked(index) == value) return;
  FChecked[static_cast<size_t>(index)] = value;
  UpdateText();
  if (OnChange) OnChange(this);
}

int TCheckComboBox::CheckedCount() const {
  return static_cast<int>(std::count(FChecked.begin(), FChecked.end(), true));
}

void TCheckComboBox::SetDelimiter(const String& value) {
  FDelimiter = value;
  UpdateText();
}

void TCheckComboBox::SetEmptySelectionText(const String& value) {
  FEmptySelectionText = value;
  UpdateText();
}

void TCheckComboBox::SetDroppedDown(bool value) {
  if (FDroppedDown == value) return;
  FDroppedDown = value;
  if (value && OnDropDown) OnDropDown(this);
  if (!value && OnCloseUp) OnCloseUp(this);
}

void TCheckComboBox::ItemsChanged(TObject*) {
  FChecked.resize(static_cast<size_t>(FItems->Count()), false);
  UpdateText();
}

void TCheckComboBox::UpdateText() {
  String text;
  for (int i = 0; i < FItems->Count(); ++i) {
    if (!FChecked[static_cast<size_t>(i)]) continue;
    if (!text.empty()) text += FDelimiter;
    text += FItems->Strings(i);
  }
  SetText(text.empty() ? FEmptySelectionText : text);
}
