// Colours shared by the system's windows. TColor is the platform's colour: a 32-bit value with
// blue in the high byte and red in the low byte (0x00BBGGRR).
#pragma once

#include <cstdint>

using TColor = int32_t;

// Cell background behind the check boxes drawn in grids: the window background.
extern TColor clMainBackground;
// Grid of a dataset without records: light grey, so an empty list is seen at a glance.
extern TColor clNotRecord;
// Disabled edit controls: the button face.
extern TColor clDisabled;
