// The common interface texts of the system: captions, messages, message formats, action
// captions and words that every program shows. Each text is a global variable holding its
// Russian text; show it through TranslateAplText (Ucomlanguages), which gives the operator's
// language. The full list, with the English texts, is in Ucomresources.inc.
#pragma once

#include "platform/rtl/Exceptions.h"

#define ROD_RESOURCE_STRING(Name, Russian, English) extern String Name;
#include "src/ResourcePack/Ucomresources.inc"
#undef ROD_RESOURCE_STRING
