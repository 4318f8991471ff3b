#include "src/ResourcePack/Ucomcolors.h"

TColor clMainBackground = 0x00FFFFFF;
TColor clNotRecord = 0x00E0E0E0;
TColor clDisabled = 0x00F0F0F0;
