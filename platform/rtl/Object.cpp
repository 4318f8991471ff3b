#include "platform/rtl/Object.h"

bool ClassInheritsFrom(TClass cls, TClass ancestor) {
  for (; cls; cls = cls->Parent)
    if (cls == ancestor) return true;
  return false;
}

TClass TObject::ClassInfo() {
  static const TClassRec record{"TObject", nullptr, nullptr};
  return &record;
}

void TObject::Free() {
  BeforeDestruction();
  Destroy();
  delete this;
}

void TObject::DestroyFailedConstruction() {
  Destroy();
  delete this;
}
