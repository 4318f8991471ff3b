// Settings files as found on disk: any content reads without harm, a written key reads back,
// and every other key keeps its value.
#include <unistd.h>

#include <vector>

#include "fuzz/FuzzSupport.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"

namespace {
String ScratchFile() {
  static const String name = GetTempDir() + "rod-fuzz-ini-" + std::to_string(::getpid()) + ".ini";
  return name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String fileName = ScratchFile();
  AtomicWriteFile(fileName, FuzzText(data, size));
  FreeOnExit<TIniFile> ini(TIniFile::Create(fileName));
  FreeOnExit<TStringList> sections(TStringList::Create());
  FreeOnExit<TStringList> keys(TStringList::Create());
  ini->ReadSections(sections.Get());
  const String section = sections->Count() > 0 ? sections->Strings(0) : String("S");
  ini->ReadSection(section, keys.Get());
  std::vector<String> before;
  for (int i = 0; i < keys->Count(); ++i) before.push_back(ini->ReadString(section, keys->Strings(i), ""));
  Refusable([&] {
    ini->WriteString(section, "FuzzKey", "value");
    Require(ini->ReadString(section, "FuzzKey", "") == "value");
    for (int i = 0; i < keys->Count(); ++i)
      if (!SameText(keys->Strings(i), "FuzzKey"))
        Require(ini->ReadString(section, keys->Strings(i), "") == before[static_cast<size_t>(i)]);
  });
  ::unlink(fileName.c_str());
  return 0;
}
