#include "platform/rtl/Classes.h"

RTL_CLASS_IMPL(TPersistent, TObject)

void TPersistent::Assign(TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  const String sourceName = source ? source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}
