#include "platform/ui/ComCtrls.h"

#include "platform/ui/Menus.h"
#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL_CREATABLE(TToolBar, TWinControl)
RTL_CLASS_IMPL_CREATABLE(TToolButton, TGraphicControl)

namespace {

const bool ToolPropertiesRegistered =
    RegisterProperties(TToolBar::ClassInfo(), {CaptionProperty<TToolBar>()}) &&
    RegisterProperties(TToolButton::ClassInfo(), {CaptionProperty<TToolButton>()});

}  // namespace

void TToolBar::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetAlign(alTop);
  SetBounds(0, 0, 150, 29);
}

void TToolBar::Destroy() {
  SetImages(nullptr);
  inherited::Destroy();
}

void TToolBar::SetImages(TImageList* images) {
  if (FImages == images) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

int TToolBar::ButtonCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(Controls(i))) ++count;
  return count;
}

TToolButton* TToolBar::Buttons(int index) const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* button = dynamic_cast<TToolButton*>(Controls(i)))
      if (count++ == index) return button;
  ListIndexError(index);
}

void TToolButton::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetBounds(0, 0, 23, 22);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
  if (FDropdownMenu == menu) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = menu;
  if (FDropdownMenu) FDropdownMenu->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDropdownMenu) FDropdownMenu = nullptr;
}

int TToolButton::Index() const {
  auto* bar = dynamic_cast<TToolBar*>(Parent());
  if (!bar) return -1;
  for (int i = 0; i < bar->ButtonCount(); ++i)
    if (bar->Buttons(i) == this) return i;
  return -1;
}

void TToolButton::MouseClick() {
  if (FStyle == tbsSeparator || FStyle == tbsDivider) return;
  if (FStyle == tbsCheck) FDown = !FDown;
  Click();
}

bool TToolButton::HasActionProperty(TActionProperty property) const {
  return property == apChecked || property == apImageIndex ||
         inherited::HasActionProperty(property);
}

Variant TToolButton::GetActionProperty(TActionProperty property) const {
  if (property == apChecked) return Variant(FDown);
  if (property == apImageIndex) return Variant(FImageIndex);
  return inherited::GetActionProperty(property);
}

void TToolButton::SetActionProperty(TActionProperty property, const Variant& value) {
  if (property == apChecked)
    FDown = value.AsBoolean();
  else if (property == apImageIndex)
    FImageIndex = value.AsInteger();
  else
    inherited::SetActionProperty(property, value);
}
