#include "db/demo/DemoDatabase.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <initializer_list>

#include "db/demo/DemoScripts.h"
#include "platform/rtl/Files.h"

namespace {

// The scripts of each schema file, in the order they run.
const std::initializer_list<const char*> OperatingCentreScripts = {
    "catalog", "tables", "views", "language", "names", "seed", "indexes", "routines", "param_pack"};
const std::initializer_list<const char*> TranslationScripts = {"catalog", "language"};

[[noreturn]] void RaiseCreateError(const String& folder, const String& cause) {
  throw EDatabaseError("Cannot create the demo database in \"" + folder + "\": " + cause);
}

// Writes a file's data through to the disk, so that a rename that follows never exposes a file
// whose content is still only in the cache. A folder is flushed the same way after a rename.
bool FlushToDisk(const String& fileName) {
  const int file = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  const bool flushed = ::fsync(file) == 0;
  ::close(file);
  return flushed;
}

// One schema file under construction: built in a temporary file beside its final name, which it
// replaces only when complete. A build that is dropped before that removes its temporary file.
class TSchemaFileBuild {
 public:
  TSchemaFileBuild(const String& folder, const String& schemaName)
      : FFolder(folder),
        FFileName(IncludeTrailingPathDelimiter(folder) + schemaName + ".db"),
        FTempName(MakeTempFile(folder, schemaName)) {
    try {
      Open();
    } catch (...) {
      Discard();
      throw;
    }
  }
  ~TSchemaFileBuild() { Discard(); }
  TSchemaFileBuild(const TSchemaFileBuild&) = delete;
  TSchemaFileBuild& operator=(const TSchemaFileBuild&) = delete;

  // The seed script reads the scale from DEMO_SCALE; the file keeps it as its user version.
  void SetRowsPerList(int rows) {
    const String n = std::to_string(rows);
    Execute("CREATE TEMP TABLE DEMO_SCALE AS SELECT " + n + " AS N; PRAGMA user_version = " + n,
            "scale");
  }

  void RunScripts(std::initializer_list<const char*> names) {
    for (const char* name : names) Execute(DemoScripts().at(name), String("script ") + name);
  }

  // Commits, gathers the planner's statistics and writes the file through to the disk.
  void Complete() {
    Execute("COMMIT; ANALYZE", "completion");
    const int closed = sqlite3_close(FDatabase);
    FDatabase = nullptr;
    if (closed != SQLITE_OK || !FlushToDisk(FTempName))
      RaiseCreateError(FFolder, ExtractFileName(FFileName) + ": the file cannot be written");
  }

  // Puts the completed file in place of the schema file. Journals of a previous file of that
  // name go first: left beside the new file, they would be replayed into it.
  void Install() {
    for (const char* companion : {"-journal", "-wal", "-shm"})
      ::unlink((FFileName + companion).c_str());
    if (std::rename(FTempName.c_str(), FFileName.c_str()) != 0)
      RaiseCreateError(FFolder, ExtractFileName(FFileName) + " cannot be replaced");
    FTempName.clear();
    FlushToDisk(FFolder);
  }

 private:
  static String MakeTempFile(const String& folder, const String& schemaName) {
    try {
      return GetTempFileName(folder, schemaName + ".db.");
    } catch (const EInOutError& error) {
      RaiseCreateError(folder, error.Message());
    }
  }

  // The temporary file is private to its creator; the schema file gets the permissions of the
  // file it replaces, or those SQLite gives a new database.
  void GrantSchemaFilePermissions() {
    struct stat previous;
    const mode_t mode = ::stat(FFileName.c_str(), &previous) == 0 ? previous.st_mode & 07777 : 0644;
    if (::chmod(FTempName.c_str(), mode) != 0)
      RaiseCreateError(FFolder, ExtractFileName(FFileName) + ": the file cannot be written");
  }

  void Open() {
    GrantSchemaFilePermissions();
    if (sqlite3_open_v2(FTempName.c_str(), &FDatabase, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      RaiseCreateError(FFolder, ExtractFileName(FFileName) + ": " +
                                    (FDatabase ? sqlite3_errmsg(FDatabase) : "out of memory"));
    // The file is thrown away on any failure, so it needs no journal while it is being built.
    Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN", "set-up");
  }

  void Execute(const String& sql, const String& step) {
    char* message = nullptr;
    if (sqlite3_exec(FDatabase, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
    const String cause = message ? message : sqlite3_errmsg(FDatabase);
    sqlite3_free(message);
    RaiseCreateError(FFolder, ExtractFileName(FFileName) + ", " + step + ": " + cause);
  }

  void Discard() {
    if (FDatabase) sqlite3_close(FDatabase);
    FDatabase = nullptr;
    if (!FTempName.empty()) DeleteFile(FTempName);
    FTempName.clear();
  }

  String FFolder;
  String FFileName;
  String FTempName;
  sqlite3* FDatabase = nullptr;
};

}  // namespace

int DemoDatabaseRows(const String& folder) {
  const String fileName = IncludeTrailingPathDelimiter(folder) + DemoSchemaName + ".db";
  sqlite3* database = nullptr;
  int rows = 0;
  if (sqlite3_open_v2(fileName.c_str(), &database, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
      rows = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
  }
  sqlite3_close(database);
  return rows;
}

void CreateDemoDatabase(const String& folder, int rowsPerList) {
  if (rowsPerList < MinDemoRows || rowsPerList > MaxDemoRows)
    RaiseCreateError(folder, "the rows per list must lie between " + std::to_string(MinDemoRows) +
                                 " and " + std::to_string(MaxDemoRows) + ", not " +
                                 std::to_string(rowsPerList));
  if (!ForceDirectories(folder)) RaiseCreateError(folder, "the folder cannot be created");

  TSchemaFileBuild centre(folder, DemoSchemaName);
  centre.SetRowsPerList(rowsPerList);
  centre.RunScripts(OperatingCentreScripts);
  centre.Complete();

  TSchemaFileBuild translation(folder, DemoTranslationSchemaName);
  translation.RunScripts(TranslationScripts);
  translation.Complete();

  centre.Install();
  translation.Install();
}
