#include "src/ComUnits/uVRXRes.h"

#include <dlfcn.h>

#include "platform/rtl/Files.h"
#include "platform/ui/Graphics.h"

namespace {

void* ModuleHandle = nullptr;
bool LoadedForTesting = false;

// The module's pictures are 16 by 16; the widget set draws them from their source name.
constexpr int ModuleBitmapSize = 16;

}  // namespace

void LoadVRXRes() {
  if (ModuleHandle) return;
  const String path = ExtractFilePath(ExecutableFileName()) + "libVRXRes.so";
  ModuleHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void FreeVRXRes() {
  if (ModuleHandle) dlclose(ModuleHandle);
  ModuleHandle = nullptr;
}

bool VRXResLoaded() { return ModuleHandle != nullptr || LoadedForTesting; }

bool LoadVRXResBitmap(int number, TBitmap* bitmap) {
  if (!VRXResLoaded()) return false;
  bitmap->SetSource("VRXRes." + std::to_string(number));
  bitmap->SetWidth(ModuleBitmapSize);
  bitmap->SetHeight(ModuleBitmapSize);
  return true;
}

String LibraryResourceString(int id) { return String(); }

bool LibraryHasBitmap(int id) { return false; }

void SetVRXResLoadedForTesting(bool loaded) { LoadedForTesting = loaded; }
