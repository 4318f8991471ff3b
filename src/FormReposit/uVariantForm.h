// The common root of every window of the suite.
#pragma once

#include "platform/ui/Forms.h"

class TVariantForm : public TForm {
  RTL_CLASS(TVariantForm, TForm)
 protected:
  TVariantForm() = default;
};
