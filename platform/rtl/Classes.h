// Persistent objects, components and object lists.
#pragma once

#include "platform/rtl/Object.h"

class TPersistent : public TObject {
  RTL_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object. A class that knows how overrides Assign; otherwise the
  // source is asked (AssignTo) and, when neither knows, EConvertError
  // "Cannot assign a <source class> to a <target class>" is raised.
  virtual void Assign(TPersistent* source);

 protected:
  virtual void AssignTo(TPersistent* dest);

 private:
  [[noreturn]] void AssignError(TPersistent* source);
};
