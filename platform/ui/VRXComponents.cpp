#include "platform/ui/VRXComponents.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

void TVRXSourceLink::SetSourceReference(TComponent* self, TVRXSourcesReference* reference) {
  if (FReference == reference) return;
  if (FReference) FReference->RemoveFreeNotification(self);
  FReference = reference;
  if (FReference) FReference->FreeNotification(self);
}

void TVRXSourceLink::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == FReference) FReference = nullptr;
}

void TFrmQSearch::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  FLink.Notification(component, operation);
}

void TScrollDateTime::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  FLink.Notification(component, operation);
}

String VRXDateFormat() { return FormatSettings.ShortDateFormat; }
String VRXTimeFormat() { return FormatSettings.LongTimeFormat; }
String VRXDateTimeFormat() { return VRXDateFormat() + " " + VRXTimeFormat(); }

RTL_CLASS_IMPL_CREATABLE(TVRXSourcesReference, TComponent)
RTL_CLASS_IMPL_CREATABLE(TFrmQSearch, TComponent)
RTL_CLASS_IMPL_CREATABLE(TScrollDateTime, TWinControl)

namespace {

template <class T>
TPropInfo SourceReferenceProperty() {
  return ObjectProperty<T>(
      "SourceReference", [](const T* c) -> TObject* { return c->SourceReference(); },
      [](T* c, TObject* v) { c->SetSourceReference(dynamic_cast<TVRXSourcesReference*>(v)); });
}

const bool VRXPropertiesRegistered =
    RegisterProperties(TFrmQSearch::ClassInfo(), {SourceReferenceProperty<TFrmQSearch>()}) &&
    RegisterProperties(
        TScrollDateTime::ClassInfo(),
        {SourceReferenceProperty<TScrollDateTime>(),
         ValueProperty<TScrollDateTime>(
             "Format", [](const TScrollDateTime* c) { return Variant(c->Format()); },
             [](TScrollDateTime* c, const Variant& v) { c->SetFormat(v.AsString()); }),
         ValueProperty<TScrollDateTime>(
             "Date", [](const TScrollDateTime* c) { return Variant(c->Date()); },
             [](TScrollDateTime* c, const Variant& v) { c->SetDate(v.AsDateTime()); })});

}  // namespace
