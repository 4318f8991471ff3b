#include "platform/ui/Menus.h"

#include <algorithm>
#include <utility>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/PropertyTables.h"
#include "platform/ui/WidgetSet.h"

RTL_CLASS_IMPL_CREATABLE(TMenuItem, TComponent)
RTL_CLASS_IMPL(TMenu, TComponent)
RTL_CLASS_IMPL_CREATABLE(TPopupMenu, TMenu)

namespace {

struct TKeyName {
  uint16_t Key;
  const char* Name;
};

// The platform's names first (used for the text of a shortcut), then the longer spellings that
// are accepted on reading.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},     {VK_TAB, "Tab"},        {VK_RETURN, "Enter"},  {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},   {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},     {VK_END, "End"},
    {VK_HOME, "Home"},     {VK_LEFT, "Left"},      {VK_UP, "Up"},         {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},     {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},    {VK_ESCAPE, "Escape"},
    {VK_RETURN, "Return"}, {VK_DELETE, "Delete"},  {VK_INSERT, "Insert"}, {VK_PRIOR, "PageUp"},
    {VK_NEXT, "PageDown"}, {VK_BACK, "Backspace"},
};

String KeyName(uint16_t key) {
  for (const TKeyName& name : KeyNames)
    if (name.Key == key) return name.Name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, char(key));
  if (key >= VK_F1 && key < VK_F1 + 24) return "F" + IntToStr(key - VK_F1 + 1);
  return String();
}

uint16_t KeyOfName(const String& name) {
  for (const TKeyName& entry : KeyNames)
    if (SameText(entry.Name, name)) return entry.Key;
  if (name.size() == 1) {
    const char c = UpperCase(name)[0];
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<uint16_t>(c);
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int number = 0;
    if (TryStrToInt(name.substr(1), number) && number >= 1 && number <= 24)
      return static_cast<uint16_t>(VK_F1 + number - 1);
  }
  return 0;
}

const bool MenuPropertiesRegistered = RegisterProperties(
    TMenuItem::ClassInfo(), {CaptionProperty<TMenuItem>(), HintProperty<TMenuItem>()});

}  // namespace

// --- shortcuts -------------------------------------------------------------------------------

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

String ShortCutToText(TShortCut shortCut) {
  const String name = KeyName(shortCut & 0xFF);
  if (name.empty()) return String();
  String text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const String& text) {
  TShortCut modifiers = 0;
  size_t start = 0;
  for (size_t plus = text.find('+'); plus != String::npos && plus + 1 < text.size();
       plus = text.find('+', start)) {
    const String modifier = Trim(text.substr(start, plus - start));
    if (SameText(modifier, "Shift"))
      modifiers |= scShift;
    else if (SameText(modifier, "Ctrl"))
      modifiers |= scCtrl;
    else if (SameText(modifier, "Alt"))
      modifiers |= scAlt;
    else
      return 0;
    start = plus + 1;
  }
  const uint16_t key = KeyOfName(Trim(text.substr(start)));
  return key ? static_cast<TShortCut>(modifiers | key) : TShortCut(0);
}

// --- TMenuItem -------------------------------------------------------------------------------

void TMenuItem::Destroy() {
  while (!FItems.empty()) FItems.back()->Free();
  if (FParent) FParent->Remove(this);
  delete FActionLink;
  FActionLink = nullptr;
  inherited::Destroy();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FItems[static_cast<size_t>(index)];
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->FParent) throw EInvalidOperation("Menu inserted twice");
  if (index < 0 || index > Count()) ListIndexError(index);
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) throw EInvalidOperation("Sub-menu is not in menu");
  Delete(index);
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* action) {
  if (!action) {
    delete FActionLink;
    FActionLink = nullptr;
    return;
  }
  if (!FActionLink) FActionLink = new TActionLink(this, this);
  FActionLink->SetAction(action, HasState(csLoading) || action->HasState(csLoading));
}

void TMenuItem::Click() {
  if (FEnabled) ClickActionClient(this, OnClick, FActionLink);
}

void TMenuItem::InitiateActions() {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->FActionLink) FItems[i]->FActionLink->Update();
}

bool TMenuItem::HasActionProperty(TActionProperty) const { return true; }

Variant TMenuItem::GetActionProperty(TActionProperty property) const {
  return ActionPropertyOf(*this, property);
}

void TMenuItem::SetActionProperty(TActionProperty property, const Variant& value) {
  switch (property) {
    case apCaption:
      FCaption = value.AsString();
      break;
    case apHint:
      FHint = value.AsString();
      break;
    case apEnabled:
      FEnabled = value.AsBoolean();
      break;
    case apVisible:
      FVisible = value.AsBoolean();
      break;
    case apChecked:
      FChecked = value.AsBoolean();
      break;
    case apImageIndex:
      FImageIndex = value.AsInteger();
      break;
    case apShortCut:
      FShortCut = static_cast<TShortCut>(value.AsInteger());
      break;
  }
}

// --- TMenu, TPopupMenu -----------------------------------------------------------------------

void TMenu::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FItems = TMenuItem::Create(this);
  FItems->FMenu = this;
}

void TMenu::Destroy() {
  SetImages(nullptr);
  inherited::Destroy();
}

void TMenu::SetImages(TImageList* images) {
  if (FImages == images) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FImages) FImages = nullptr;
  if (component == FItems) FItems = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (FPopupComponent == component) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = component;
  if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup() {
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
  FPopupPoint = {x, y};
  DoPopup();
  if (!Items()) return;
  Items()->InitiateActions();
  if (TMenuItem* chosen = WidgetSet()->TrackPopupMenu(this, FPopupPoint)) chosen->Click();
}
