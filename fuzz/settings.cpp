// Every typed reader of the workstation's settings over any Settings.ini content: readers never
// fail, they give defaults or repairs. Folder readers are left out: they create the folders they
// read, and a fuzzed file would make them anywhere.
#include <unistd.h>

#include <variant>

#include "fuzz/FuzzSupport.h"
#include "platform/rtl/Files.h"
#include "src/ComUnits/uLocalSettings.h"

namespace {

bool IsFolderKey(const String& key) {
  for (const char* folder : {"AutoSaveFolder", "RepTmpltFldr", "RepTempFldr", "LoadFolder",
                             "UnLoadFolder", "SendRepFldr", "Path"})
    if (SameText(key, folder)) return true;
  return false;
}

const String& HostFolder() {
  static const String folder = [] {
    String name = GetTempDir() + "rod-fuzz-settings-" + std::to_string(::getpid()) + "/";
    ForceDirectories(name);
    SetHostProgramFolder(name);
    return name;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AtomicWriteFile(HostFolder() + SettingsIniName, FuzzText(data, size));
  for (const TLocalSetting& setting : LocalSettings()) {
    if (IsFolderKey(setting.Key)) continue;
    std::visit([](const auto& access) { (void)access.Read(); }, setting.Access);
  }
  return 0;
}
