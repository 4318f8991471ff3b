// The host program. Until the dialogs exist it demonstrates what a host gets from the library:
// the workstation's settings read from Settings.ini in the host's folder, a selection list built
// from a text of IDs and returned as text again, and the library's data components pointed at
// the host's session and schema over the demo database.
//
//   rodhost --init-demo DIR [--rows N]
//   rodhost [--db DIR] [--user NAME] [--schema TEXT] [--home DIR] [--lang ru|en] [--ids TEXT]
#include <cstdio>
#include <cstring>
#include <exception>

#include "db/demo/DemoDatabase.h"
#include "platform/ora/OraDataSet.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComUnits/uDBItems.h"
#include "src/ComUnits/uLocalSettings.h"
#include "src/ComUnits/uOraFunctions.h"
#include "src/ResourcePack/Ucomlanguages.h"

namespace {

struct TOptions {
  String InitDemo;  // the folder to create, when asked
  int Rows = DefaultDemoRows;
  String Database = "demo-db";
  String User = DemoSchemaName;
  String Schema;
  String Ids = "5,7,7,12";
};

int Usage() {
  std::fprintf(stderr,
               "usage: rodhost --init-demo DIR [--rows N]\n"
               "       rodhost [--db DIR] [--user NAME] [--schema TEXT] [--home DIR] "
               "[--lang ru|en] [--ids TEXT]\n");
  return 2;
}

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const String option = argv[i];
    if (i + 1 >= argc) return false;  // every option takes a value
    const String value = argv[++i];
    if (option == "--init-demo")
      options.InitDemo = value;
    else if (option == "--rows")
      options.Rows = StrToInt(value);
    else if (option == "--db")
      options.Database = value;
    else if (option == "--user")
      options.User = value;
    else if (option == "--schema")
      options.Schema = value;
    else if (option == "--home")
      SetHostProgramFolder(value);
    else if (option == "--lang")
      SetComLanguage(value);
    else if (option == "--ids")
      options.Ids = value;
    else
      return false;
  }
  return true;
}

void ShowSettings() {
  std::printf("Settings file: %s\n", SettingsFile()->FileName().c_str());
  std::printf("  report templates: %s\n", ReadRepTmpltFldr().c_str());
  std::printf("  report temporary files: %s\n", ReadRepTempFldr().c_str());
  std::printf("  mirror marks on the server: %s\n", ReadStoreSelect() ? "yes" : "no");
  std::printf("  scanner port: COM%d\n", ReadScanerPort());
}

void ShowSelection(const String& ids) {
  FreeOnExit<TDBItemList> list(TDBItemList::CreateFromText(ids));
  std::printf("Selection from \"%s\": %d item(s)%s\n", ids.c_str(), list->Count(),
              list->AllSelected ? ", all records" : "");
  for (int i = 0; i < list->Count(); ++i) std::printf("  %s\n", list->Items(i)->GetText().c_str());
  std::printf("IDs text back: \"%s\"\n", list->GetIDsText().c_str());
}

// Lists of the dialogs, counted through queries designed against another schema and pointed at
// the session's, as every window of the library does it when it is made.
void ShowLists(const TOptions& options) {
  const String folder = IncludeTrailingPathDelimiter(options.Database);
  if (DemoDatabaseRows(folder) == 0) {
    std::printf("Creating the demo database in %s\n", folder.c_str());
    CreateDemoDatabase(folder, DefaultDemoRows);
  }
  FreeOnExit<TOraSession> session(TOraSession::Create(nullptr));
  session->SetServer(folder);
  session->SetUsername(options.User);
  FreeOnExit<TComponent> window(TComponent::Create(nullptr));
  const struct {
    const char* Caption;
    const char* View;
  } lists[] = {{"points of service", "V_POS"}, {"terminals", "V_MYTERMINAL"},
               {"clients", "V_CLIENTS"},       {"client cards", "V_CARD_CLIENT"},
               {"emitents", "V_EMITENT"},      {"employees", "V_EMPLOYE"},
               {"services", "V_SERVICE"},      {"acts", "V_DROC_JOURNAL_ACT"}};
  for (const auto& list : lists) {
    TOraQuery* query = TOraQuery::Create(window.Get());
    query->SQL()->SetText(String("SELECT COUNT(*) N FROM &shema.") + list.View);
  }
  SetSessionForComponents(window.Get(), session.Get());
  const String schema = Trim(options.Schema).empty() ? options.User : Trim(options.Schema);
  fSetShema(window.Get(), schema);
  std::printf("Database %s, schema %s:\n", folder.c_str(), schema.c_str());
  for (int i = 0; i < window->ComponentCount(); ++i) {
    auto* query = static_cast<TOraQuery*>(window->Components(i));
    query->Open();
    std::printf("  %-18s %d\n", lists[i].Caption, query->FieldByName("N")->AsInteger());
  }
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  try {
    if (!ParseOptions(argc, argv, options)) return Usage();
    if (!options.InitDemo.empty()) {
      CreateDemoDatabase(options.InitDemo, options.Rows);
      std::printf("Demo database created in %s (%d rows per list)\n", options.InitDemo.c_str(),
                  options.Rows);
      return 0;
    }
    OpenSettingsFile();
    ShowSettings();
    ShowSelection(options.Ids);
    ShowLists(options);
    CloseSettingsFile();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "rodhost: %s\n", error.what());
    return 1;
  }
}
