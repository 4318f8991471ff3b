// Entries of the published-property tables that many control classes share: the property
// reads and writes the class's accessor of the same name.
#pragma once

#include "platform/rtl/TypInfo.h"

template <class T>
TPropInfo CaptionProperty() {
  return ValueProperty<T>(
      "Caption", [](const T* c) { return Variant(c->Caption()); },
      [](T* c, const Variant& v) { c->SetCaption(v.AsString()); });
}

template <class T>
TPropInfo HintProperty() {
  return ValueProperty<T>(
      "Hint", [](const T* c) { return Variant(c->Hint()); },
      [](T* c, const Variant& v) { c->SetHint(v.AsString()); });
}

template <class T>
TPropInfo TextProperty() {
  return ValueProperty<T>(
      "Text", [](const T* c) { return Variant(c->Text()); },
      [](T* c, const Variant& v) { c->SetText(v.AsString()); });
}

template <class T>
TPropInfo ItemsProperty() {
  return ObjectProperty<T>("Items", [](const T* c) { return c->Items(); });
}

template <class T>
TPropInfo ItemIndexProperty() {
  return ValueProperty<T>(
      "ItemIndex", [](const T* c) { return Variant(c->ItemIndex()); },
      [](T* c, const Variant& v) { c->SetItemIndex(v.AsInteger()); });
}
