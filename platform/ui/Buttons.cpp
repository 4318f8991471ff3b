#include "platform/ui/Buttons.h"

#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL_CREATABLE(TBitBtn, TButton)
RTL_CLASS_IMPL_CREATABLE(TSpeedButton, TGraphicControl)

namespace {

struct TKindDefaults {
  const char* Caption;
  TModalResult ModalResult;
  bool Default;
  bool Cancel;
};

TKindDefaults DefaultsOf(TBitBtnKind kind) {
  switch (kind) {
    case bkOK:
      return {"OK", mrOk, true, false};
    case bkCancel:
      return {"Cancel", mrCancel, false, true};
    case bkHelp:
      return {"&Help", mrNone, false, false};
    case bkYes:
      return {"&Yes", mrYes, true, false};
    case bkNo:
      return {"&No", mrNo, false, true};
    case bkClose:
      return {"&Close", mrNone, false, false};
    case bkAbort:
      return {"Abort", mrAbort, false, true};
    case bkRetry:
      return {"&Retry", mrRetry, false, false};
    case bkIgnore:
      return {"&Ignore", mrIgnore, false, false};
    case bkAll:
      return {"&All", mrAll, true, false};
    case bkCustom:
      break;
  }
  return {"", mrNone, false, false};
}

const bool SpeedButtonPropertiesRegistered =
    RegisterProperties(TSpeedButton::ClassInfo(), {CaptionProperty<TSpeedButton>()});

}  // namespace

void TBitBtn::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FGlyph = TBitmap::Create();
  SetBounds(0, 0, 75, 25);
}

void TBitBtn::Destroy() {
  FreeAndNil(FGlyph);
  inherited::Destroy();
}

void TBitBtn::SetKind(TBitBtnKind value) {
  FKind = value;
  if (value == bkCustom) return;
  const TKindDefaults defaults = DefaultsOf(value);
  SetCaption(defaults.Caption);
  SetModalResult(defaults.ModalResult);
  SetDefault(defaults.Default);
  SetCancel(defaults.Cancel);
}

void TBitBtn::Click() {
  TCustomForm* form = GetParentForm(this);
  if (FKind == bkClose && form) return form->Close();
  inherited::Click();
}

void TSpeedButton::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FGlyph = TBitmap::Create();
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::Destroy() {
  FreeAndNil(FGlyph);
  inherited::Destroy();
}

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (FDown == value) return;
  FDown = value;
  Invalidate();
  if (!value || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex) other->FDown = false;
  }
}

void TSpeedButton::MouseClick() {
  if (FGroupIndex != 0) {
    if (!FDown)
      SetDown(true);
    else if (FAllowAllUp)
      SetDown(false);
  }
  Click();
}

bool TSpeedButton::HasActionProperty(TActionProperty property) const {
  return property == apChecked || inherited::HasActionProperty(property);
}

Variant TSpeedButton::GetActionProperty(TActionProperty property) const {
  return property == apChecked ? Variant(FDown) : inherited::GetActionProperty(property);
}

void TSpeedButton::SetActionProperty(TActionProperty property, const Variant& value) {
  if (property == apChecked) return SetDown(value.AsBoolean());
  inherited::SetActionProperty(property, value);
}
