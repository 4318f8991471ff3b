#include "platform/ui/ExtCtrls.h"

#include <algorithm>

#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL(TCustomPanel, TCustomControl)
RTL_CLASS_IMPL_CREATABLE(TPanel, TCustomPanel)
RTL_CLASS_IMPL_CREATABLE(TBevel, TGraphicControl)
RTL_CLASS_IMPL(TCustomRadioGroup, TCustomGroupBox)
RTL_CLASS_IMPL_CREATABLE(TRadioGroup, TCustomRadioGroup)
RTL_CLASS_IMPL_CREATABLE(TSplitter, TGraphicControl)

namespace {

const bool ExtPropertiesRegistered =
    RegisterProperties(TPanel::ClassInfo(), {CaptionProperty<TPanel>()}) &&
    RegisterProperties(TRadioGroup::ClassInfo(),
                       {CaptionProperty<TRadioGroup>(), ItemsProperty<TRadioGroup>(),
                        ItemIndexProperty<TRadioGroup>()});

}  // namespace

void TCustomPanel::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Paint() {
  Canvas()->FillRect(ClientRect());
  const int x = FAlignment == taLeftJustify ? 0
                : FAlignment == taRightJustify
                    ? ClientWidth() - Canvas()->TextWidth(Caption())
                    : (ClientWidth() - Canvas()->TextWidth(Caption())) / 2;
  Canvas()->TextRect(ClientRect(), x, (ClientHeight() - Canvas()->TextHeight(Caption())) / 2,
                     Caption());
}

void TBevel::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetBounds(0, 0, 50, 50);
}

void TCustomRadioGroup::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FItems = TStringList::Create();
  FItems->OnChange = TNotifyEvent(this, &TCustomRadioGroup::ItemsChanged);
  SetTabStop(true);
  SetBounds(0, 0, 185, 105);
}

void TCustomRadioGroup::Destroy() {
  FreeAndNil(FItems);
  inherited::Destroy();
}

void TCustomRadioGroup::SetItemIndex(int value) {
  if (Loading()) {
    FItemIndex = value;
    return;
  }
  value = std::clamp(value, -1, FItems->Count() - 1);
  if (FItemIndex == value) return;
  FItemIndex = value;
  Invalidate();
  if (value >= 0) Click();
}

void TCustomRadioGroup::Loaded() {
  inherited::Loaded();
  FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
  if (!Loading() && FItemIndex >= FItems->Count()) FItemIndex = -1;
  Invalidate();
}

void TSplitter::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
}
