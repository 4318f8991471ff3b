// The host program. Until the dialogs exist it demonstrates what a host gets from the library:
// a selection list built from a text of IDs and returned as text again, and the workstation's
// settings read (with their defaults and repairs) from Settings.ini in the host's folder.
//
//   rodhost [--home DIR] [--lang ru|en] [IDS]
#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uDBItems.h"
#include "src/ComUnits/uLocalSettings.h"
#include "src/ResourcePack/Ucomlanguages.h"

namespace {

struct TOptions {
  String Ids = "5,7,7,12";
};

int Usage() {
  std::fprintf(stderr, "usage: rodhost [--home DIR] [--lang ru|en] [IDS]\n");
  return 2;
}

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--home") == 0 && hasValue) {
      SetHostProgramFolder(argv[++i]);
    } else if (std::strcmp(argv[i], "--lang") == 0 && hasValue) {
      SetComLanguage(argv[++i]);
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      return false;
    } else {
      options.Ids = argv[i];
    }
  }
  return true;
}

void ShowSelection(const String& ids) {
  FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText(ids));
  std::printf("Selection from \"%s\": %d item(s)%s\n", ids.c_str(), list->Count(),
              list->AllSelected ? ", all records" : "");
  for (int i = 0; i < list->Count(); ++i) std::printf("  %s\n", list->Items(i)->GetText().c_str());
  std::printf("IDs text back: \"%s\"\n", list->GetIDsText().c_str());
}

void ShowSettings() {
  std::printf("Settings file: %s\n", SettingsFile()->FileName().c_str());
  std::printf("  report templates: %s\n", ReadRepTmpltFldr().c_str());
  std::printf("  report temporary files: %s\n", ReadRepTempFldr().c_str());
  std::printf("  mirror marks on the server: %s\n", ReadStoreSelect() ? "yes" : "no");
  std::printf("  scanner port: COM%d\n", ReadScanerPort());
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  try {
    if (!ParseOptions(argc, argv, options)) return Usage();
    OpenSettingsFile();
    ShowSelection(options.Ids);
    ShowSettings();
    CloseSettingsFile();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "rodhost: %s\n", error.what());
    return 1;
  }
}
