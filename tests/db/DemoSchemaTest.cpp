// The demo schema against what the programs read from it: every view and column their queries
// name, with the Oracle types the datasets take field types and sizes from, and data that
// exercises every value the dialogs filter on.
#include <regex>

#include "DemoDbSupport.h"

namespace {

// Expected declared types: "" any Oracle type, "NUMBER" or "VARCHAR2" any precision or size,
// anything else exactly.
struct TViewColumns {
  const char* View;
  std::vector<std::pair<const char*, const char*>> Columns;
};

const std::vector<std::pair<const char*, const char*>> TagColumns = {
    {"RFID_NUM", "NUMBER"},
    {"VEHICLE_NAME", "VARCHAR2(40)"},
    {"VEHICLE_NUMBER", "VARCHAR2(8)"},
    {"TARNOLTANK", "NUMBER"},
    {"DAYS", "VARCHAR2(4000)"},
    {"TIME_INTERVAL", "VARCHAR2(13)"},
    {"ROWID_QUERY", "VARCHAR2(18)"},
    {"RFID_NAME", "VARCHAR2(90)"},
    {"ID_CLIENT", "NUMBER"}};

std::vector<std::pair<const char*, const char*>> WithTagColumns(const char* column,
                                                                const char* type) {
  std::vector<std::pair<const char*, const char*>> columns = {{column, type}};
  columns.insert(columns.end(), TagColumns.begin(), TagColumns.end());
  return columns;
}

const std::vector<TViewColumns> ViewsRead = {
    {"V_POS",
     {{"RCHECK", "CHAR(1)"},
      {"ID_POS", "NUMBER"},
      {"NAME", "VARCHAR2(120)"},
      {"ADRES", "VARCHAR2(100)"},
      {"DATEOF", "DATE"},
      {"ID_EMITENT", "NUMBER"},
      {"ID_FILIALA", "NUMBER"},
      {"MYEMITENT", "NUMBER"},
      {"MYFILIAL", "NUMBER"}}},
    {"V_POSGROUP",
     {{"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"NAME", "VARCHAR2(120)"},
      {"DESCRIPTION", "VARCHAR2(100)"},
      {"ID_FIRM", "NUMBER"},
      {"FIRM_NAME", "VARCHAR2(120)"},
      {"FIRM_INN", "VARCHAR2(30)"},
      {"NAME_FOR_REPORT", "VARCHAR2(512)"},
      {"USE_IN_EXP_INVOICE", "NUMBER"}}},
    {"V_POSGROUPITEM", {{"ID_GROUP", "NUMBER"}, {"ID_POS", "NUMBER"}, {"ID_EMITENT", "NUMBER"}}},
    {"V_MYTERMINAL",
     {{"IN_WORK", "NUMBER"},
      {"ID_EMITENT", "NUMBER"},
      {"ID_FILIAL", "NUMBER"},
      {"ID_POS", "NUMBER"},
      {"NUM_TERMINAL", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"FULLNAME", "VARCHAR2(51)"}}},
    {"V_OC_SHIFT_TRANSACTION",
     {{"RCHECK", "CHAR(1)"},
      {"SHIFT_DESC", "VARCHAR2(15)"},
      {"SHIFT_ID", "NUMBER"},
      {"TERMINAL_NUMBER", "NUMBER"},
      {"POS_NUMBER", "NUMBER"},
      {"CARD_OPERATOR_NUMBER", ""},
      {"DATETIME_OPEN", "DATE"},
      {"DATETIME_CLOSE", "DATE"},
      {"SHIFT_GUID", "VARCHAR2(32)"},
      {"MMNT_OPEN", ""},
      {"MMNT_CLOSE", ""}}},
    {"V_BGLCLIENT",
     {{"NAME", "VARCHAR2(40)"},
      {"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"WHO", "NUMBER"},
      {"IN_WORK", "NUMBER"},
      {"PASPORT", "VARCHAR2(100)"},
      {"ADRESS", "VARCHAR2(100)"},
      {"INN", "VARCHAR2(30)"},
      {"KPP", "VARCHAR2"},
      {"OKPO", "VARCHAR2(10)"},
      {"DOGOVOR", "VARCHAR2(40)"},
      {"E_MAIL", "VARCHAR2(100)"},
      {"CLIENTTYPE", "NUMBER"},
      {"NAME_FOR_REPORT", "VARCHAR2(100)"},
      {"ROWID_QUERY", "VARCHAR2(18)"},
      {"BLOCK_DAY", "VARCHAR2(10)"},
      {"BLOCK_MONTH", "VARCHAR2(10)"},
      {"CONF_NAME_FOR_REPORT", "VARCHAR2(255)"},
      {"ID_FIRM_BUYER", "NUMBER"},
      {"REAL_ADDRESS", "VARCHAR2(100)"}}},
    {"V_GRPCLIENT", {{"ID", "NUMBER"}, {"WHO", "NUMBER"}, {"ID_GROUP", "NUMBER"}}},
    {"V_CLIENTS",
     {{"ID", "NUMBER"},
      {"WHO", "NUMBER"},
      {"IN_WORK", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"PASPORT", "VARCHAR2(100)"},
      {"ADRESS", "VARCHAR2(100)"},
      {"DOGOVOR", "VARCHAR2(40)"},
      {"OKPO", "VARCHAR2(10)"},
      {"INN", "VARCHAR2(30)"},
      {"CLIENTTYPE", "NUMBER"}}},
    {"V_DROC_CLIENTS",
     {{"ID", "NUMBER"},
      {"WHO", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"ADRESS", "VARCHAR2(100)"},
      {"CLIENTTYPE", "NUMBER"}}},
    {"V_ACCESS_EMPLOYE_CLIENT",
     {{"CLIENTID", "NUMBER"}, {"CLIENTTYPE", "NUMBER"}, {"EMPLOYEID", "NUMBER"}}},
    {"V_CARD_CLIENT",
     {{"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"GRAFNUM", "VARCHAR2(40)"},
      {"ELNUM", "VARCHAR2(24)"},
      {"ID_CLIENT", "NUMBER"},
      {"WHO", "NUMBER"},
      {"STATE", "VARCHAR2"},
      {"CARDTYPE", ""},
      {"DATA_VYDACHI", "DATE"},
      {"DATA_IZYATIYA", "VARCHAR2"},
      {"OWNER", "VARCHAR2(40)"},
      {"NEW_CARD", "VARCHAR2(10)"},
      {"ID_SOSTOYANYA", "NUMBER"},
      {"E_MAIL", "VARCHAR2(100)"},
      {"PAN_COD", "VARCHAR2(30)"},
      {"ROWID_QUERY", "VARCHAR2(18)"},
      {"CLIENTTYPE", "NUMBER"}}},
    {"V_CARD_GROUP",
     {{"ID", "NUMBER"},
      {"RCHECK", "CHAR(1)"},
      {"NAME", "VARCHAR2(40)"},
      {"DESCRIPTION", "VARCHAR2(100)"}}},
    {"V_CARD_GROUP_ITEM",
     {{"ID_GROUP", "NUMBER"}, {"GRAFNUM", "NUMBER"}, {"OWNER", "VARCHAR2(40)"}}},
    {"V_CARD_OPERATOR",
     {{"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"GRAFNUM", "VARCHAR2(40)"},
      {"STATE", "VARCHAR2(16)"},
      {"CARDTYPE", ""},
      {"DATA_VYDACHI", "DATE"},
      {"DATA_IZYATIYA", "VARCHAR2"},
      {"OWNER", "VARCHAR2(40)"},
      {"ID_CLIENT", "NUMBER"},
      {"ELNUM", "VARCHAR2"},
      {"NEW_CARD", "VARCHAR2"},
      {"F_I_O", "VARCHAR2(40)"}}},
    {"V_CARD_EMPLOYE",
     {{"ID_CARD", "NUMBER"},
      {"GRAFNUM", "VARCHAR2(40)"},
      {"ELNUM", "VARCHAR2"},
      {"ID_EMPLOYE", "NUMBER"},
      {"EMPLOYE_FIO", "VARCHAR2(40)"},
      {"CARD_STATE", "VARCHAR2"},
      {"CARD_TYPE", ""},
      {"DATA_VYDACHI", "DATE"},
      {"DATA_IZYATIYA", "VARCHAR2"},
      {"OWNER", "VARCHAR2"},
      {"E_MAIL", "VARCHAR2"},
      {"ROWID_QUERY", "VARCHAR2(18)"}}},
    {"V_CARD_EMP_GROUP_ITEM", {{"CARD_ID", "NUMBER"}, {"GROUP_ID", "NUMBER"}}},
    {"V_DROC_VEHICLE_RFID", TagColumns},
    {"V_DROC_RFID_GROUP",
     {{"GROUP_ID", "NUMBER"},
      {"GROUP_NAME", "VARCHAR2(100)"},
      {"GROUP_DESC", "VARCHAR2(4000)"},
      {"ROWID_QUERY", "VARCHAR2(18)"}}},
    {"V_DROC_RFID_GROUP_ITEM", WithTagColumns("GROUP_ID", "NUMBER")},
    {"V_DROC_RFID_ON_CARD", WithTagColumns("GRAFNUM", "VARCHAR2(40)")},
    {"V_EMITENT",
     {{"ID", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"IN_WORK", "NUMBER"},
      {"RCHECK", "CHAR(1)"},
      {"INN", "VARCHAR2(30)"},
      {"ID_FIRM", "NUMBER"},
      {"FIRM_NAME", "VARCHAR2(120)"},
      {"ADRESS", "VARCHAR2(100)"},
      {"DOGOVOR", "VARCHAR2(40)"},
      {"OKPO", "VARCHAR2(10)"}}},
    {"V_DEMITENT",
     {{"ID", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"RCHECK", "CHAR(1)"},
      {"INN", "VARCHAR2(30)"},
      {"ID_FIRM", "NUMBER"},
      {"FIRM_NAME", "VARCHAR2(40)"},
      {"ADRESS", "VARCHAR2(100)"},
      {"DOGOVOR", "VARCHAR2(40)"},
      {"OKPO", "VARCHAR2(10)"}}},
    {"V_EMITENTGROUP",
     {{"ID", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"DESCRIPTION", "VARCHAR2(100)"},
      {"ID_FIRM", "NUMBER"},
      {"FIRM_NAME", "VARCHAR2(40)"},
      {"ADRESS", "VARCHAR2"},
      {"DOGOVOR", "VARCHAR2"},
      {"OKPO", "VARCHAR2"},
      {"INN", "VARCHAR2"},
      {"RCHECK", "CHAR(1)"},
      {"ROWID_QUERY", "VARCHAR2(18)"},
      {"NAME_FOR_REPORT", "VARCHAR2(100)"},
      {"E_MAIL", "VARCHAR2(100)"}}},
    {"V_EMITENTGROUPITEM",
     {{"ID_GROUP", "NUMBER"},
      {"ID", "NUMBER"},
      {"NAME", "VARCHAR2"},
      {"ID_FIRM", "NUMBER"},
      {"FIRM_NAME", "VARCHAR2"},
      {"ADRESS", "VARCHAR2"},
      {"DOGOVOR", "VARCHAR2"},
      {"OKPO", "VARCHAR2"},
      {"INN", "VARCHAR2"},
      {"IN_WORK", "NUMBER"},
      {"NAME_FOR_REPORT", "VARCHAR2"},
      {"ROWID_QUERY", "VARCHAR2(18)"}}},
    {"V_OC_EMITENT_FILIAL",
     {{"ID_EMITENT", "NUMBER"}, {"ID_FILIALA", "NUMBER"}, {"OPISANIE_EMITENTA", "VARCHAR2(40)"}}},
    {"V_GROUP",
     {{"ID", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"DESCRIPTION", "VARCHAR2(100)"},
      {"RCHECK", "CHAR(1)"},
      {"WHO", "NUMBER"}}},
    {"V_GRPCLIENT_WITHOUT_RIGHTS",
     {{"ID", "NUMBER"},
      {"WHO", "NUMBER"},
      {"ID_GROUP", "NUMBER"},
      {"IN_WORK", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"ADRESS", "VARCHAR2(100)"},
      {"PASPORT", "VARCHAR2(100)"},
      {"DOGOVOR", "VARCHAR2(40)"},
      {"INN", "VARCHAR2(30)"},
      {"OKPO", "VARCHAR2(10)"}}},
    {"V_DROC_PBL_CLIENT_GROUP",
     {{"CLIENT_GROUP_ID", "NUMBER"},
      {"CLIENT_GROUP_NAME", "VARCHAR2"},
      {"FREQUENCY", "NUMBER"},
      {"DURATION", "NUMBER"},
      {"QUANTITY_DURATION", "NUMBER"},
      {"DESCRIPTION", "VARCHAR2(4000)"},
      {"ROWID_QUERY", "VARCHAR2(18)"}}},
    {"V_DROC_PBL_CLIENT_OF_GROUP",
     {{"CLIENT_ID", "NUMBER"}, {"CLIENT_STATUS", "NUMBER"}, {"CLIENT_GROUP_ID", "NUMBER"}}},
    {"V_EMPLOYE",
     {{"ID_CHELOVEKA", "NUMBER"},
      {"F_I_O", "VARCHAR2(40)"},
      {"OPISANIE_DOLJNOSTI", "VARCHAR2(40)"},
      {"RCHECK", "CHAR(1)"}}},
    {"V_LINK_ROLES_EMPLOYEE", {{"ID_EMP", "NUMBER"}, {"REPORT_ROLE_ID", "NUMBER"}}},
    {"V_REPORT_ROLES", {{"REPORT_ROLE_ID", "NUMBER"}, {"REPORT_ROLE_NAME", "VARCHAR2(50)"}}},
    {"V_INT_DTARIF",
     {{"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"DESCRIPTION", "VARCHAR2(100)"}}},
    {"V_EXT_DTARIF",
     {{"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"NAME", "VARCHAR2(40)"},
      {"DESCRIPTION", "VARCHAR2(100)"}}},
    {"V_SERVICE",
     {{"ID", "NUMBER"},
      {"MEASUREMENT", "VARCHAR2(10)"},
      {"NAME", "VARCHAR2(40)"},
      {"ACTIVNOST", "NUMBER"},
      {"RCHECK", "CHAR(1)"}}},
    {"V_OC_SERVICE_TYPES", {{"ID", "NUMBER"}, {"NAME", "VARCHAR2(40)"}, {"RCHECK", "CHAR(1)"}}},
    {"V_OC_DTARIF_PERIOD_PARAM",
     {{"ID_DTARIF_PERIOD_PARAM", "NUMBER"},
      {"NAME", "VARCHAR2(60)"},
      {"FULLNAME", "VARCHAR2(103)"},
      {"DESCRIPTION", "VARCHAR2(100)"}}},
    {"V_DROC_TRN_TYPE", {{"RCHECK", "CHAR(1)"}, {"ID", "NUMBER"}, {"NAME", "VARCHAR2"}}},
    {"V_OC_NOTIFICATIONS_TYPE",
     {{"RCHECK", "CHAR(1)"},
      {"ID", "NUMBER"},
      {"NOTICE_DESCRIPTION", "VARCHAR2(40)"},
      {"NOTICE_DEFAULT", "NUMBER"}}},
    {"V_DOC_ACCOUNT_CHANGE_REASON",
     {{"RCHECK", "CHAR(1)"}, {"OPERATION", "NUMBER"}, {"DISCRIPTION_REASON", "VARCHAR2(4000)"}}},
    {"V_DROC_JOURNAL_ACT",
     {{"DROC_JOURNAL_ACT_ID", "NUMBER"},
      {"ACT_NUMBER", "NUMBER"},
      {"ACT_DATE", "DATE"},
      {"CLIENT_ID", "NUMBER"},
      {"WHO", "NUMBER"},
      {"NAME_CLIENT", "VARCHAR2(40)"},
      {"AMOUNT_CARDS", "NUMBER"},
      {"COMMENTARY", "VARCHAR2(4000)"},
      {"REPORT_FILE_NAME", "VARCHAR2(256)"},
      {"REPORT_FILE", "BLOB"}}},
};

// Views that the programs read as "SELECT '-' AS RCHECK, v.* ...": a mark column of their own
// would come twice.
const char* const ViewsWithoutMark[] = {
    "V_MYTERMINAL",        "V_CLIENTS",         "V_DROC_CLIENTS",     "V_CARD_EMPLOYE",
    "V_DROC_VEHICLE_RFID", "V_DROC_RFID_GROUP", "V_OC_EMITENT_FILIAL"};

bool TypeMatches(const std::string& declared, const std::string& expected) {
  if (expected.empty()) return true;
  if (expected == "NUMBER" || expected == "VARCHAR2") return declared.rfind(expected, 0) == 0;
  return declared == expected;
}

// Declared types of a query's result columns by name; a column without one maps to "".
std::map<std::string, std::string> ColumnTypes(TDemoConnection& connection,
                                               const std::string& sql) {
  std::map<std::string, std::string> types;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << sql << ": " << sqlite3_errmsg(connection.Handle());
    return types;
  }
  for (int i = 0; i < sqlite3_column_count(statement); ++i) {
    const char* type = sqlite3_column_decltype(statement, i);
    types[sqlite3_column_name(statement, i)] = type ? type : "";
  }
  sqlite3_finalize(statement);
  return types;
}

std::vector<std::string> SchemaViews(TDemoConnection& connection) {
  std::vector<std::string> views;
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(connection.Handle(),
                     "SELECT name FROM OC_DEMO.sqlite_master WHERE type = 'view' ORDER BY name", -1,
                     &statement, nullptr);
  while (sqlite3_step(statement) == SQLITE_ROW)
    views.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
  sqlite3_finalize(statement);
  return views;
}

class DemoSchema : public ::testing::Test {
 protected:
  TDemoConnection Connection{TDemoDatabase::Folder()};
};

TEST_F(DemoSchema, ViewsHaveTheColumnsTheProgramsReadWithTheirOracleTypes) {
  for (const TViewColumns& view : ViewsRead) {
    const auto types = ColumnTypes(Connection, std::string("SELECT * FROM OC_DEMO.") + view.View);
    for (const auto& [column, expected] : view.Columns) {
      const auto found = types.find(column);
      if (found == types.end())
        ADD_FAILURE() << view.View << " has no column " << column;
      else
        EXPECT_TRUE(TypeMatches(found->second, expected))
            << view.View << "." << column << " is " << found->second << ", not " << expected;
    }
  }
  for (const char* view : ViewsWithoutMark)
    EXPECT_EQ(ColumnTypes(Connection, std::string("SELECT * FROM OC_DEMO.") + view).count("RCHECK"),
              0u)
        << view;
}

// Every column of every view declares an Oracle type, every text fits its declared size (in
// characters) and every view reads through to its last row without an error.
TEST_F(DemoSchema, EveryViewColumnIsTypedAndEveryTextFitsItsSize) {
  const std::regex oracleType(R"(NUMBER(\(\d+(,\d+)?\))?|(VARCHAR2|CHAR)\((\d+)\)|DATE|CLOB|BLOB)");
  const std::vector<std::string> views = SchemaViews(Connection);
  ASSERT_GE(views.size(), ViewsRead.size());
  for (const std::string& view : views) {
    for (const auto& [column, type] : ColumnTypes(Connection, "SELECT * FROM OC_DEMO." + view)) {
      std::smatch parts;
      if (!std::regex_match(type, parts, oracleType)) {
        ADD_FAILURE() << view << "." << column << " declares '" << type << "'";
        continue;
      }
      if (parts[4].matched) {
        EXPECT_LE(Connection.Count("SELECT max(length(" + column + ")) FROM OC_DEMO." + view),
                  std::stoll(parts[4]))
            << view << "." << column;
      }
    }
    EXPECT_GT(Connection.Count("SELECT count(*) FROM OC_DEMO." + view), 0) << view;
  }
}

// Each probe counts the rows that make a dialog's filter, preset or case non-empty.
TEST_F(DemoSchema, SeedDataCoversEveryValueTheDialogsFilterOn) {
  const std::pair<const char*, const char*> probes[] = {
      {"own points of own filials",
       "SELECT count(*) FROM OC_DEMO.V_POS WHERE MYEMITENT = 1 AND MYFILIAL = 1"},
      {"own points of other filials",
       "SELECT count(*) FROM OC_DEMO.V_POS WHERE MYEMITENT = 1 AND MYFILIAL = 0"},
      {"points of other emitents", "SELECT count(*) FROM OC_DEMO.V_POS WHERE MYEMITENT = 0"},
      {"the service group 0", "SELECT count(*) FROM OC_DEMO.V_POSGROUP WHERE ID = 0"},
      {"groups of invoice export",
       "SELECT count(*) FROM OC_DEMO.V_POSGROUP WHERE ID > 0 AND USE_IN_EXP_INVOICE = 1"},
      {"other groups",
       "SELECT count(*) FROM OC_DEMO.V_POSGROUP WHERE ID > 0 AND USE_IN_EXP_INVOICE = 0"},
      {"groups without firm",
       "SELECT count(*) FROM OC_DEMO.V_POSGROUP WHERE ID > 0 AND ID_FIRM IS NULL"},
      {"points in no invoice-export group",
       "SELECT count(*) FROM OC_DEMO.V_POS p WHERE NOT EXISTS (SELECT 1 FROM OC_DEMO.V_POSGROUP g "
       "JOIN OC_DEMO.V_POSGROUPITEM i ON i.ID_GROUP = g.ID WHERE g.USE_IN_EXP_INVOICE = 1 "
       "AND i.ID_POS = p.ID_POS AND i.ID_EMITENT = p.ID_EMITENT)"},
      {"terminals in work", "SELECT count(*) FROM OC_DEMO.V_MYTERMINAL WHERE IN_WORK = 1"},
      {"terminals out of work", "SELECT count(*) FROM OC_DEMO.V_MYTERMINAL WHERE IN_WORK = 2"},
      {"one shift number on two terminals",
       "SELECT count(*) FROM (SELECT SHIFT_ID FROM OC_DEMO.V_OC_SHIFT_TRANSACTION GROUP BY "
       "SHIFT_ID "
       "HAVING count(DISTINCT TERMINAL_NUMBER) > 1)"},
      {"open shifts",
       "SELECT count(*) FROM OC_DEMO.V_OC_SHIFT_TRANSACTION WHERE DATETIME_CLOSE IS NULL"},
      {"firm and person sharing a number",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT f JOIN OC_DEMO.V_BGLCLIENT p ON p.ID = f.ID "
       "WHERE f.WHO = 1 AND p.WHO = 0"},
      {"clients not in work", "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT WHERE IN_WORK = 0"},
      {"firms of type client",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT WHERE WHO = 1 AND CLIENTTYPE = 0"},
      {"firms of type consignee",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT WHERE WHO = 1 AND CLIENTTYPE = 1"},
      {"firms of type buyer",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT WHERE WHO = 1 AND CLIENTTYPE = 2"},
      {"consignees with their buyer",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT c JOIN OC_DEMO.V_BGLCLIENT b "
       "ON b.ID = c.ID_FIRM_BUYER AND b.WHO = 1 WHERE c.CLIENTTYPE = 1 AND b.CLIENTTYPE = 2"},
      {"clients in a client group", "SELECT count(*) FROM OC_DEMO.V_GRPCLIENT"},
      {"a firm in two groups",
       "SELECT count(*) FROM (SELECT ID FROM OC_DEMO.V_GRPCLIENT WHERE WHO = 1 GROUP BY ID HAVING "
       "count(*) > 1)"},
      {"client groups of persons", "SELECT count(*) FROM OC_DEMO.V_GROUP WHERE WHO = 0"},
      {"clients in no loyalty group",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT c WHERE NOT EXISTS (SELECT 1 FROM "
       "OC_DEMO.V_DROC_PBL_CLIENT_OF_GROUP g WHERE g.CLIENT_ID = c.ID AND g.CLIENT_STATUS = "
       "c.WHO)"},
      {"access of firm 1 for employees 5 and 7",
       "SELECT count(DISTINCT EMPLOYEID) - 1 FROM OC_DEMO.V_ACCESS_EMPLOYE_CLIENT "
       "WHERE CLIENTID = 1 AND CLIENTTYPE = 2 AND EMPLOYEID IN (5, 7)"},
      {"default access entries",
       "SELECT count(*) FROM OC_DEMO.V_ACCESS_EMPLOYE_CLIENT WHERE EMPLOYEID IS NULL"},
      {"access entries of persons",
       "SELECT count(*) FROM OC_DEMO.V_ACCESS_EMPLOYE_CLIENT WHERE CLIENTTYPE = 3"},
      {"every card status 0 to 8",
       "SELECT count(DISTINCT ID_SOSTOYANYA) - 8 FROM OC_DEMO.V_CARD_CLIENT"},
      {"cards of firms and of persons",
       "SELECT count(DISTINCT WHO) - 1 FROM OC_DEMO.V_CARD_CLIENT"},
      {"a card in two groups",
       "SELECT count(*) FROM (SELECT GRAFNUM FROM OC_DEMO.V_CARD_GROUP_ITEM GROUP BY GRAFNUM "
       "HAVING count(*) > 1)"},
      {"an employee card group holding every employee card",
       "SELECT count(*) FROM (SELECT GROUP_ID FROM OC_DEMO.V_CARD_EMP_GROUP_ITEM GROUP BY GROUP_ID "
       "HAVING count(*) = (SELECT count(*) FROM OC_DEMO.V_CARD_EMPLOYE))"},
      {"employee cards outside a group",
       "SELECT count(*) FROM OC_DEMO.V_CARD_EMPLOYE WHERE ID_CARD NOT IN "
       "(SELECT CARD_ID FROM OC_DEMO.V_CARD_EMP_GROUP_ITEM WHERE GROUP_ID = 2)"},
      {"tags bound to cards", "SELECT count(*) FROM OC_DEMO.V_DROC_RFID_ON_CARD"},
      {"a tag group without tags",
       "SELECT count(*) FROM OC_DEMO.V_DROC_RFID_GROUP g WHERE NOT EXISTS "
       "(SELECT 1 FROM OC_DEMO.V_DROC_RFID_GROUP_ITEM i WHERE i.GROUP_ID = g.GROUP_ID)"},
      {"own emitents", "SELECT count(*) FROM OC_DEMO.EMITENT WHERE IS_OWN = 1"},
      {"other emitents", "SELECT count(*) FROM OC_DEMO.EMITENT WHERE IS_OWN = 0"},
      {"group members out of work",
       "SELECT count(*) FROM OC_DEMO.V_EMITENTGROUPITEM WHERE IN_WORK = 0"},
      {"an emitent in two groups",
       "SELECT count(*) FROM (SELECT ID FROM OC_DEMO.V_EMITENTGROUPITEM GROUP BY ID HAVING "
       "count(*) > 1)"},
      {"filials of own and other emitents",
       "SELECT count(DISTINCT e.IS_OWN) - 1 FROM OC_DEMO.V_OC_EMITENT_FILIAL f "
       "JOIN OC_DEMO.EMITENT e ON e.ID = f.ID_EMITENT"},
      {"an employee with two roles",
       "SELECT count(*) FROM (SELECT ID_EMP FROM OC_DEMO.V_LINK_ROLES_EMPLOYEE GROUP BY ID_EMP "
       "HAVING count(*) > 1)"},
      {"an employee without roles",
       "SELECT count(*) FROM OC_DEMO.V_EMPLOYE e WHERE NOT EXISTS "
       "(SELECT 1 FROM OC_DEMO.V_LINK_ROLES_EMPLOYEE l WHERE l.ID_EMP = e.ID_CHELOVEKA)"},
      {"internal and external tariffs",
       "SELECT min((SELECT count(*) FROM OC_DEMO.V_INT_DTARIF), (SELECT count(*) FROM "
       "OC_DEMO.V_EXT_DTARIF))"},
      {"notification types 99 and 100",
       "SELECT count(*) - 1 FROM OC_DEMO.V_OC_NOTIFICATIONS_TYPE WHERE ID IN (99, 100)"},
      {"inactive services", "SELECT count(*) FROM OC_DEMO.V_SERVICE WHERE ACTIVNOST = 0"},
      {"acts of several years",
       "SELECT count(DISTINCT substr(ACT_DATE, 1, 4)) - 1 FROM OC_DEMO.V_DROC_JOURNAL_ACT"},
      {"an act without document",
       "SELECT count(*) FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE REPORT_FILE_NAME IS NULL"},
      {"acts with their document",
       "SELECT count(*) FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE length(REPORT_FILE) > 0 AND "
       "REPORT_FILE_NAME <> ''"},
      {"a comment of several lines",
       "SELECT count(*) FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE instr(COMMENTARY, char(13, 10)) > 0"},
      {"acts of private persons", "SELECT count(*) FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE WHO = 0"},
  };
  for (const auto& [what, sql] : probes) EXPECT_GT(Connection.Count(sql), 0) << what;
}

// Rules the programs rely on, each counted by its violations: identities are unique where the
// programs match rows by them, and numbers given as numbers read as the texts they stand for.
TEST_F(DemoSchema, DataKeepsTheRulesTheProgramsRelyOn) {
  const std::pair<const char*, const char*> violations[] = {
      {"private persons have client type 3, firms never",
       "SELECT count(*) FROM OC_DEMO.V_BGLCLIENT WHERE (WHO = 0) <> (CLIENTTYPE = 3)"},
      {"graphic numbers identify cards",
       "SELECT count(*) - count(DISTINCT GRAFNUM) FROM OC_DEMO.CARD"},
      {"a group member's numeric graphic number reads as the card's text",
       "SELECT count(*) FROM OC_DEMO.V_CARD_GROUP_ITEM i WHERE NOT EXISTS (SELECT 1 FROM "
       "OC_DEMO.V_CARD_CLIENT c WHERE c.GRAFNUM = CAST(i.GRAFNUM AS TEXT))"},
      {"row addresses of clients are unique",
       "SELECT count(*) - count(DISTINCT ROWID_QUERY) FROM OC_DEMO.V_BGLCLIENT"},
      {"row addresses of cards are unique",
       "SELECT count(*) - count(DISTINCT ROWID_QUERY) FROM OC_DEMO.V_CARD_CLIENT"},
      {"shift identities are unique",
       "SELECT count(*) - count(DISTINCT SHIFT_GUID) FROM OC_DEMO.V_OC_SHIFT_TRANSACTION"},
      {"acts fall inside their year's working hours",
       "SELECT count(*) FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE substr(ACT_DATE, 12) < '09:00:00'"},
  };
  for (const auto& [rule, sql] : violations) EXPECT_EQ(Connection.Count(sql), 0) << rule;
}

}  // namespace
