// A small database and a selection dialog over it, run by the headless operator.
#pragma once

#include <sqlite3.h>

#include <vector>

#include "platform/ora/OraSession.h"
#include "platform/rtl/Files.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"
#include "src/FormReposit/uSelectBaseFrm.h"
#include "support/TempFolder.h"

// Schema SEL with ITEMS(RCHECK, ID, NAME): ID 1..rows, NAME "Item <id>".
class TSelectDatabase {
 public:
  explicit TSelectDatabase(int rows = 5) {
    sqlite3* db = nullptr;
    sqlite3_open((Folder.Path() + "SEL.db").c_str(), &db);
    String sql = "CREATE TABLE ITEMS(RCHECK VARCHAR2(1), ID INTEGER, NAME VARCHAR2(40));";
    for (int id = 1; id <= rows; ++id) {
      sql += "INSERT INTO ITEMS VALUES('-', " + std::to_string(id) + ", 'Item " +
             std::to_string(id) + "');";
    }
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    Session = TOraSession::Create(nullptr);
    Session->SetServer(Folder.Path());
    Session->SetUsername("SEL");
    SetHostProgramFolder(Folder.Path());
  }
  ~TSelectDatabase() {
    Session->Free();
    SetHostProgramFolder(String());
  }
  TSelectDatabase(const TSelectDatabase&) = delete;
  TSelectDatabase& operator=(const TSelectDatabase&) = delete;

  TTempFolder Folder;
  TOraSession* Session = nullptr;
};

// The dialog: the items in one grid with the check column.
class TItemsDialog : public TSelectBaseFrm {
  RTL_CLASS(TItemsDialog, TSelectBaseFrm)
 public:
  TDBGrid* Grid = nullptr;
  TEdit* Edit1 = nullptr;
  // Raises the operator's break at this record of the collection (0: never).
  int BreakAtRecord = 0;

  static TItemsDialog* Open(TOraSession* session, bool multiSelect, const String& schema = "SEL");

  void BeforeAppendRecord() override;

 protected:
  TItemsDialog() = default;
  void ReadResource() override;

 private:
  int FCollected = 0;
};

// The IDs of a list's items, in order.
std::vector<int> ItemIDs(const TDBItemList* list);
// A list of ID items.
TDBItemList* IDList(const std::vector<int>& ids);
// The texts of the message boxes the operator saw, in order.
std::vector<String> BoxTexts(const TOperatorRecord& record);
