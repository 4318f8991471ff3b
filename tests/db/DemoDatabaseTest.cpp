// Building the demo database folder: the scale, the files it leaves, replacing an earlier
// database, and failures that leave nothing half-written behind.
#include <sys/stat.h>

#include "DemoDbSupport.h"

namespace {

// The main lists, each of which has exactly one row per unit of the scale.
const char* const MainLists[] = {"V_BGLCLIENT", "V_CARD_CLIENT",          "V_POS",
                                 "TERMINAL",    "V_OC_SHIFT_TRANSACTION", "V_DROC_VEHICLE_RFID",
                                 "V_EMPLOYE",   "V_DROC_JOURNAL_ACT"};

class DemoDatabaseScale : public ::testing::TestWithParam<int> {};

TEST_P(DemoDatabaseScale, EveryMainListHasTheRowsAskedForAndNothingElseIsLeft) {
  TTempFolder folder;
  const std::string target = folder / "demo/db";
  CreateDemoDatabase(target, GetParam());

  TDemoConnection connection(target + "/");
  for (const char* list : MainLists)
    EXPECT_EQ(connection.Count(std::string("SELECT count(*) FROM OC_DEMO.") + list), GetParam())
        << list;
  EXPECT_EQ(connection.Text("PRAGMA OC_DEMO.integrity_check"), "ok");
  EXPECT_EQ(DemoDatabaseRows(target), GetParam());
  EXPECT_EQ(TTempFolder::ReadFile(target + "/OC_DEMO.db").substr(0, 15), "SQLite format 3");

  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(target))
    files.insert(entry.path().filename().string());
  EXPECT_EQ(files, (std::set<std::string>{"OC_57XX.db", "OC_DEMO.db"}));
}

INSTANTIATE_TEST_SUITE_P(SmallestAndLarger, DemoDatabaseScale,
                         ::testing::Values(MinDemoRows, 1000));

// A second build replaces the whole database, also a journal that an earlier session left
// beside the old file.
TEST(DemoDatabase, ReplacesAnEarlierDatabaseWhole) {
  TTempFolder folder;
  CreateDemoDatabase(folder.Path(), MinDemoRows);
  {
    TDemoConnection connection(folder.Path());
    connection.Exec("CREATE TABLE OC_DEMO.LOCAL_NOTES (TEXT VARCHAR2(40))");
  }
  TTempFolder::WriteFile(folder / "OC_DEMO.db-wal", "stale journal of the earlier file");

  CreateDemoDatabase(folder.Path(), MinDemoRows + 10);
  TDemoConnection connection(folder.Path());
  EXPECT_EQ(
      connection.Count("SELECT count(*) FROM OC_DEMO.sqlite_master WHERE name = 'LOCAL_NOTES'"), 0);
  EXPECT_EQ(connection.Count("SELECT count(*) FROM OC_DEMO.V_BGLCLIENT"), MinDemoRows + 10);
  EXPECT_EQ(DemoDatabaseRows(folder.Path()), MinDemoRows + 10);
  EXPECT_EQ(folder.Listing(), "OC_57XX.db;OC_DEMO.db;");
}

void ExpectRefused(const std::string& folder, int rows, const std::string& cause) {
  try {
    CreateDemoDatabase(folder, rows);
    ADD_FAILURE() << "no error for " << folder << " with " << rows << " rows";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Cannot create the demo database in \"" + folder + "\": " + cause);
  }
}

TEST(DemoDatabase, RefusesScalesOutsideItsRangeBeforeTouchingTheFolder) {
  TTempFolder folder;
  const std::string target = folder / "demo";
  ExpectRefused(target, MinDemoRows - 1,
                "the rows per list must lie between 50 and 5000000, not 49");
  ExpectRefused(target, MaxDemoRows + 1,
                "the rows per list must lie between 50 and 5000000, not 5000001");
  ExpectRefused(target, -1, "the rows per list must lie between 50 and 5000000, not -1");
  EXPECT_EQ(folder.Listing(), "");
}

TEST(DemoDatabase, FailuresLeaveNoFileBehind) {
  TTempFolder folder;
  TTempFolder::WriteFile(folder / "file", "");
  ExpectRefused(folder / "file/demo", MinDemoRows, "the folder cannot be created");
  EXPECT_EQ(DemoDatabaseRows(folder / "file/demo"), 0);

  // A folder in the place of the schema file: both files are built, neither is installed.
  std::filesystem::create_directory(folder / "OC_DEMO.db");
  ExpectRefused(folder.Path(), MinDemoRows, "OC_DEMO.db cannot be replaced");
  EXPECT_EQ(folder.Listing(), "OC_DEMO.db;file;");
}

TEST(DemoDatabase, RefusesAFolderItMayNotWrite) {
  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not hold for the superuser";
  TTempFolder folder;
  const std::string locked = folder / "locked";
  std::filesystem::create_directory(locked);
  ::chmod(locked.c_str(), 0555);
  try {
    CreateDemoDatabase(locked, MinDemoRows);
    ADD_FAILURE() << "no error for a folder that may not be written";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message().rfind("Cannot create the demo database in \"" + locked + "\": ", 0),
              0u)
        << error.Message();
  }
  EXPECT_TRUE(std::filesystem::is_empty(locked));
}

}  // namespace
