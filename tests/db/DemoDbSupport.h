// Test access to a demo database: one database per test program, built at the default scale in a
// temporary folder, and a SQLite connection with the schema attached under its name, as a session
// attaches it.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "db/demo/DemoDatabase.h"
#include "support/TempFolder.h"

class TDemoConnection {
 public:
  explicit TDemoConnection(const std::string& folder, const std::string& schema = DemoSchemaName) {
    // "mode=rw": a missing schema file fails instead of being created empty.
    sqlite3_open_v2(":memory:", &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr);
    Exec("ATTACH DATABASE 'file:" + folder + schema + ".db?mode=rw' AS " + schema);
  }
  ~TDemoConnection() { sqlite3_close(FDb); }
  TDemoConnection(const TDemoConnection&) = delete;
  TDemoConnection& operator=(const TDemoConnection&) = delete;

  sqlite3* Handle() const { return FDb; }

  void Exec(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      ADD_FAILURE() << sql << ": " << (message ? message : "");
      sqlite3_free(message);
    }
  }
  // The first column of the first row as text ("" for NULL or no row); a failing statement
  // fails the test.
  std::string Text(const std::string& sql) {
    std::string result;
    FirstValue(sql, [&](sqlite3_stmt* row) {
      if (const unsigned char* text = sqlite3_column_text(row, 0))
        result = reinterpret_cast<const char*>(text);
    });
    return result;
  }
  // The first column of the first row as a number (0 for NULL or no row).
  long long Count(const std::string& sql) {
    long long result = 0;
    FirstValue(sql, [&](sqlite3_stmt* row) { result = sqlite3_column_int64(row, 0); });
    return result;
  }

 private:
  void FirstValue(const std::string& sql, const std::function<void(sqlite3_stmt*)>& read) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(FDb, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sql << ": " << sqlite3_errmsg(FDb);
      return;
    }
    const int step = sqlite3_step(statement);
    if (step == SQLITE_ROW)
      read(statement);
    else if (step != SQLITE_DONE)
      ADD_FAILURE() << sql << ": " << sqlite3_errmsg(FDb);
    sqlite3_finalize(statement);
  }

  sqlite3* FDb = nullptr;
};

// The database shared by the tests that only read it; tests that change data build their own.
class TDemoDatabase {
 public:
  static const std::string& Folder() {
    static TDemoDatabase database;
    return database.FFolder.Path();
  }

 private:
  TDemoDatabase() { CreateDemoDatabase(FFolder.Path(), DefaultDemoRows); }
  TTempFolder FFolder;
};
