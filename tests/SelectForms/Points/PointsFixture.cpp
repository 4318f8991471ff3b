#include "PointsFixture.h"

#include "platform/rtl/SysUtils.h"

namespace {

const char* const Schema = R"(
CREATE TABLE V_POS(RCHECK VARCHAR2(1), ID_POS NUMBER, NAME VARCHAR2(120), ADRES VARCHAR2(100),
  DATEOF DATE, ID_EMITENT NUMBER, ID_FILIALA NUMBER, MYEMITENT NUMBER, MYFILIAL NUMBER);
INSERT INTO V_POS VALUES('-', 10, 'Alpha', 'Street 1', NULL, 1, 1, 1, 1),
  ('-', 11, 'Beta', 'Street 2', NULL, 1, 2, 1, 0),
  ('-', 20, 'Gamma', 'Street 3', NULL, 2, 1, 0, 0),
  ('-', 10, 'Delta', 'Street 4', NULL, 2, 1, 0, 0);
CREATE TABLE V_POSGROUP(RCHECK VARCHAR2(1), ID NUMBER, NAME VARCHAR2(120),
  DESCRIPTION VARCHAR2(100), ID_FIRM NUMBER, FIRM_NAME VARCHAR2(120), FIRM_INN VARCHAR2(30),
  NAME_FOR_REPORT VARCHAR2(512), USE_IN_EXP_INVOICE NUMBER);
INSERT INTO V_POSGROUP VALUES('-', 0, 'Hidden', NULL, NULL, NULL, NULL, NULL, 0),
  ('-', 1, 'North', 'Northern points', 5, 'Firm Five', '7700', NULL, 1),
  ('-', 2, 'South', NULL, NULL, NULL, NULL, NULL, 0);
CREATE TABLE V_POSGROUPITEM(ID_GROUP NUMBER, ID_POS NUMBER, ID_EMITENT NUMBER);
INSERT INTO V_POSGROUPITEM VALUES(1, 10, 1), (1, 20, 2), (2, 11, 1);
CREATE TABLE V_MYTERMINAL(IN_WORK NUMBER, ID_EMITENT NUMBER, ID_FILIAL NUMBER, ID_POS NUMBER,
  NUM_TERMINAL NUMBER, NAME VARCHAR2(40), FULLNAME VARCHAR2(51));
INSERT INTO V_MYTERMINAL VALUES(1, 1, 1, 10, 100, 'T100', '[100] T100'),
  (2, 1, 2, 11, 101, 'T101', '[101] T101'), (1, 1, 1, 10, 102, 'T102', '[102] T102');
CREATE TABLE V_OC_SHIFT_TRANSACTION(RCHECK VARCHAR2(1), SHIFT_DESC VARCHAR2(15), SHIFT_ID NUMBER,
  TERMINAL_NUMBER NUMBER, POS_NUMBER NUMBER, CARD_OPERATOR_NUMBER NUMBER, DATETIME_OPEN DATE,
  DATETIME_CLOSE DATE, SHIFT_GUID VARCHAR2(32), MMNT_OPEN NUMBER, MMNT_CLOSE NUMBER);
INSERT INTO V_OC_SHIFT_TRANSACTION VALUES('-', 'Open', 7, 100, 10, NULL, NULL, NULL, 'G1', 1, NULL),
  ('-', 'Open', 7, 101, 11, NULL, NULL, NULL, 'G2', 2, NULL),
  ('-', 'Closed', 8, 100, 10, NULL, NULL, NULL, 'G3', 3, 4);
CREATE TABLE ORA_ROUTINES(PACKAGE_NAME TEXT NOT NULL DEFAULT '', ROUTINE_NAME TEXT NOT NULL,
  ROUTINE_KIND TEXT NOT NULL, RESULT_TYPE TEXT, BODY TEXT NOT NULL,
  PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME));
CREATE TABLE ORA_ROUTINE_ARGS(PACKAGE_NAME TEXT NOT NULL DEFAULT '', ROUTINE_NAME TEXT NOT NULL,
  POSITION INTEGER NOT NULL, ARG_NAME TEXT NOT NULL, DIRECTION TEXT NOT NULL DEFAULT 'IN',
  DATA_TYPE TEXT NOT NULL, PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME, POSITION));
INSERT INTO ORA_ROUTINES VALUES('POSGROUPPACK', 'GET_POS_IN_GROUP', 'FUNCTION', 'SYS_REFCURSOR',
  'SELECT p.NAME, p.ID_POS, p.ID_EMITENT, p.ID_FILIALA AS ID_FILIAL
   FROM &OWNER.V_POSGROUPITEM gi
   JOIN &OWNER.V_POS p ON p.ID_EMITENT = gi.ID_EMITENT AND p.ID_POS = gi.ID_POS
   WHERE gi.ID_GROUP = :PID_GROUP ORDER BY p.ID_EMITENT, p.ID_POS');
INSERT INTO ORA_ROUTINE_ARGS VALUES('POSGROUPPACK', 'GET_POS_IN_GROUP', 1, 'PID_GROUP', 'IN',
  'NUMBER');
)";

}  // namespace

TPointsDatabase::TPointsDatabase() {
  Exec(Schema);
  Session = TOraSession::Create(nullptr);
  Session->SetServer(Folder.Path());
  Session->SetUsername("PTS");
  SetHostProgramFolder(Folder.Path());
}

TPointsDatabase::~TPointsDatabase() {
  Session->Free();
  SetHostProgramFolder(String());
}

void TPointsDatabase::Exec(const String& sql) {
  sqlite3* db = nullptr;
  sqlite3_open((Folder.Path() + "PTS.db").c_str(), &db);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const String message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw Exception("PTS schema: " + message);
}

String ItemText(const TDBItem* item) {
  String text;
  for (int i = VarArrayLowBound(item->Values); i <= VarArrayHighBound(item->Values); ++i)
    text += (text.empty() ? "" : ",") + VarToStr(item->Values[i]);
  return text + "|" + item->Name;
}

void FillRun(TPointsRun& run, const TDBItemList* list, const TOperatorRecord& record) {
  for (int i = 0; i < list->Count(); ++i) run.Items.push_back(ItemText(list->Items(i)));
  run.Record = record.Text();
  for (const TRecordEntry& entry : record.OfKind(TRecordKind::MessageBox))
    run.Boxes.push_back(entry.Text);
  for (const TRecordEntry& entry : record.OfKind(TRecordKind::ListWindow))
    run.Lists.push_back(entry.Lines);
}
