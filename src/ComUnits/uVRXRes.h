// The optional resource module libVRXRes.so of the installation: bitmaps by number for the
// windows' images and glyphs. It is loaded quietly beside the running program; without it the
// windows keep their designed images and captions.
#pragma once

#include "platform/rtl/Exceptions.h"

class TBitmap;

// Loads the module once; a missing or broken module leaves it unloaded, silently.
void LoadVRXRes();
void FreeVRXRes();
bool VRXResLoaded();
// Bitmap Number of the module into Bitmap; false (Bitmap untouched) when the module is not
// loaded.
bool LoadVRXResBitmap(int number, TBitmap* bitmap);

// String and bitmap resources of this library itself: it holds none, so button captions and
// glyphs come from the windows' design or from the resource module.
String LibraryResourceString(int id);
bool LibraryHasBitmap(int id);

// Tests stand in for an installed module.
void SetVRXResLoadedForTesting(bool loaded);
