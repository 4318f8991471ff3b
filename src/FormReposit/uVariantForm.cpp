#include "src/FormReposit/uVariantForm.h"

RTL_CLASS_IMPL_CREATABLE(TVariantForm, TForm)
