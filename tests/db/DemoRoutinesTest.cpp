// The stored routines and package variables of the demo schemas: every routine and variable the
// programs call is in the catalog, and the bodies do what the programs expect, run the way a
// session runs them (statements in order, arguments bound by name, &OWNER. standing for the
// schema prefix, RAISE_APPLICATION_ERROR turning into an ORA error).
#include <sstream>

#include "DemoDbSupport.h"

namespace {

struct TRoutineResult {
  std::vector<std::string> Columns;
  std::vector<std::vector<std::string>> Rows;  // of the last statement; NULL reads as ""
  std::string Error;

  std::string First() const { return Rows.empty() ? std::string() : Rows[0][0]; }
};

void RaiseApplicationError(sqlite3_context* context, int, sqlite3_value** args) {
  const std::string message = "ORA" + std::to_string(sqlite3_value_int(args[0])) + ": " +
                              reinterpret_cast<const char*>(sqlite3_value_text(args[1]));
  sqlite3_result_error(context, message.c_str(), -1);
}

// Argument values: a text made of digits (with an optional minus) binds as a number.
using TArgs = std::map<std::string, std::string>;

void BindArgument(sqlite3_stmt* statement, int index, const std::string& value) {
  const bool integer =
      !value.empty() && value.find_first_not_of("-0123456789") == std::string::npos;
  if (integer)
    sqlite3_bind_int64(statement, index, std::stoll(value));
  else
    sqlite3_bind_text(statement, index, value.c_str(), -1, SQLITE_TRANSIENT);
}

class TRoutineRunner {
 public:
  TRoutineRunner(TDemoConnection& connection, const std::string& schema)
      : FConnection(connection), FSchema(schema) {
    sqlite3_create_function(connection.Handle(), "RAISE_APPLICATION_ERROR", 2, SQLITE_UTF8, nullptr,
                            RaiseApplicationError, nullptr, nullptr);
  }

  std::string Body(const std::string& package, const std::string& name) {
    std::string body =
        FConnection.Text("SELECT BODY FROM " + FSchema + ".ORA_ROUTINES WHERE PACKAGE_NAME = '" +
                         package + "' AND ROUTINE_NAME = '" + name + "'");
    for (size_t at; (at = body.find("&OWNER.")) != std::string::npos;)
      body.replace(at, 7, FSchema + ".");
    return body;
  }

  TRoutineResult Run(const std::string& package, const std::string& name, const TArgs& args = {}) {
    TRoutineResult result;
    const std::string body = Body(package, name);
    EXPECT_FALSE(body.empty()) << package << "." << name << " is not in the catalog";
    for (const char* rest = body.c_str(); *rest && result.Error.empty();) {
      sqlite3_stmt* statement = nullptr;
      if (sqlite3_prepare_v2(FConnection.Handle(), rest, -1, &statement, &rest) != SQLITE_OK) {
        result.Error = sqlite3_errmsg(FConnection.Handle());
      } else if (statement) {
        for (const auto& [arg, value] : args)
          if (const int index = sqlite3_bind_parameter_index(statement, (":" + arg).c_str()))
            BindArgument(statement, index, value);
        StepAll(statement, result);
      }
      sqlite3_finalize(statement);
    }
    return result;
  }

 private:
  void StepAll(sqlite3_stmt* statement, TRoutineResult& result) {
    result.Columns.clear();
    result.Rows.clear();
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
      result.Columns.emplace_back(sqlite3_column_name(statement, i));
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
      std::vector<std::string>& row = result.Rows.emplace_back();
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const unsigned char* text = sqlite3_column_text(statement, i);
        row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
      }
    }
    if (step != SQLITE_DONE) result.Error = sqlite3_errmsg(FConnection.Handle());
  }

  TDemoConnection& FConnection;
  std::string FSchema;
};

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
  return text;
}

struct TCatalogEntry {
  const char* Package;
  const char* Name;
  const char* Kind;
  const char* ResultType;  // "" for a procedure
  const char* Arguments;
};

const TCatalogEntry LanguageRoutines[] = {
    {"LANG_PACK", "GET_RESOURCE_APL_TXT", "FUNCTION", "VARCHAR2", "P_TEXT"},
    {"LANG_PACK", "GET_RESOURCE_REP_TXT", "FUNCTION", "VARCHAR2", "P_TEXT"},
    {"LANG_PACK", "SAVE_RUSSIAN_PHRASE", "PROCEDURE", "", "P_TEXT,P_ID_DFM,P_COMMENT"},
};

const TCatalogEntry CentreRoutines[] = {
    {"", "CHECK_MYEMITENT", "FUNCTION", "NUMBER", "P_ID_EMITENT"},
    {"", "GET_WHO", "FUNCTION", "NUMBER", "P_WHO"},
    {"", "GET_USER", "FUNCTION", "VARCHAR2", ""},
    {"", "REQUEST", "FUNCTION", "VARCHAR2", "P_OBJECT_CLASS,P_OBJECT_TYPE,P_OBJECT_NAME,P_PARAMS"},
    {"POSGROUPPACK", "GET_POS_IN_GROUP", "FUNCTION", "SYS_REFCURSOR", "PID_GROUP"},
    {"PARAM_PACK", "INF_EMITENT", "FUNCTION", "SYS_REFCURSOR", ""},
    {"PARAM_PACK", "GET_TRN_SHEMES", "FUNCTION", "SYS_REFCURSOR", ""},
    {"PARAM_PACK", "GET_MAIN_MES", "FUNCTION", "VARCHAR2", ""},
    {"PARAM_PACK", "SET_PARAM", "PROCEDURE", "", "P_NAME,P_VALUE"},
    {"TEMP_SELECT_PACK", "INS_ORDER_LINES_REPORT", "PROCEDURE", "",
     "P_GUID_SERVICE,P_DATASET_NAME,P_ROWID_QUERY"},
    {"TEMP_SELECT_PACK", "DEL_ORDER_LINES_REPORT", "PROCEDURE", "",
     "P_GUID_SERVICE,P_DATASET_NAME,P_ROWID_QUERY"},
    {"CARDS_PACK", "DEL_ACT", "PROCEDURE", "", "P_ACT_ID"},
    {"CARDS_PACK", "UPD_COMMENT", "PROCEDURE", "", "P_ACT_ID,P_NEW_COMMENT"},
};

// The package parameters the parameter module reads, with their kinds: B flag, I integer,
// S text.
const char* const ParamPackVariables =
    "TPRICE_FOR_OUT_CLIENT B, MARK I, CHANGE_EMITENT S, TPRICE_FOR_LS B, TPRICE_FOR_EK B, "
    "MGR_JOBTITLE S, MANAGER S, USE_CONTACT_FACE B, MB_JOBTITLE S, MAINBUH S, DB_VERSION S, "
    "IBS_USE_TRN B, IBS_DELTA_TIME I, USE_POSTPONED B, USE_NAME_FOR_REPORT B, "
    "OPERATION_NAME_TYPE I, IBS_VAT_MEASUREMENT I, WITH_ACC_CORRECT B, WITH_CRD_CORRECT B, "
    "WITH_ACC_CHANGE_ON_TRM B, SEPARATE_INVOICE_FP B, COMPENS_FP B, USE_ABORTED_VAT B, "
    "SEPARATE_INVOICE B, SET_INVOICE_WITHOUT_FACT B, IS_CITY_IN_DESC_BANK B, "
    "REP_BASE_SETTINGS_SHOW_ODO B, AUTO_SET_DATEOF_PAY B, COMPENS_PRICE_ROUND_TO_COUNT I, "
    "COMPENS_PRICE_LOWER_LIMIT I, COMPENS_PRICE_POS_REPEAT I, PAYMENT_ORDER_NEW_STYLE I, "
    "PAYMENT_ORDER_LIST_TERM I, MANAGER_RP S, MGR_JOBTITLE_RP S, BREAK_BY_CONTRACT B, "
    "INCLUDE_NOT_BY_CONTRACT B, PAYMENT_PREFIX S, PREPAYMENT_BGL_SRVNAME S, "
    "BASH_INVOICE_COMMENT S, USE_BUYER_CONTRACT B, USE_CONTRACT_INTERVAL B, "
    "IGNORE_EMPTY_HIS_CONTRACTS B, TRN_DENSITY_DELTA_TIME I, USE_MANAGER_BY_PROXY B, "
    "MANAGER_BY_PROXY_NUM S, MANAGER_BY_PROXY_DATE S, MANAGER_BY_PROXY_NAME S, "
    "USE_ACCOUNTANT_BY_PROXY B, ACCOUNTANT_BY_PROXY_NUM S, ACCOUNTANT_BY_PROXY_DATE S, "
    "ACCOUNTANT_BY_PROXY_NAME S, USE_SENT_TO_ROC_PAYMENT B, COMPENS_ROUND I, PROXY_DOC_TEXT S, "
    "SHOW_MANAGER_IN_FACT B, SHOW_CLIENT_NUMBER_IN_FACT B, USE_GOODS_RESOLVER_BY_PROXY B, "
    "GOODS_RESOLVER_BY_PROXY_NUM S, GOODS_RESOLVER_BY_PROXY_DATE S, "
    "GOODS_RESOLVER_BY_PROXY_NAME S, DIGITS_AFTER_POINT_CURRENCY I, DIGITS_AFTER_POINT_AMOUNT I, "
    "DIGITS_AFTER_POINT_COST I, USE_FACT_ADDRESS_FOR_RESIEVER S, POSITION_EXT_SIGN S, "
    "FIO_EXT_SIGN S, REASON_EXT_SIGN S, EXT_SIGN_FOR_NEW_CLIENTS I, NAME_SELLER_FOR_INVOICE S, "
    "PRICE_ZERO B, BREAK_BY_POS_GROUP B, USE_ALTERNATIVE_MES B, NULL_NUMBERS_NY B, "
    "NULL_PAY_NUMBERS_NY B, SEPARATE_GOODS_SRV B, USE_ADDITIONAL_SIGNATORIES B, "
    "INVOICE_SERVICE B, INVOICE_SRV_PRICE_AMOUNT B, CHECK_UNIQUE_SF_NUM B, "
    "BGL_COMMISSION_ZERO_YEAR B, BGL_COMMISSION_TYPE_OF_SERVICE I, DOCUMENTS_ENABLED I, "
    "DOCUMENTS_AUTO_REGISTER I, ACCOUNTING_FIRM S, CHECK_POS_NOT_IN_GROUP B, SHOW_NDS B, "
    "SUPPORT_IS_SERVICE B, "
    // read besides the list: the user, the own emitent, e-mail and currency
    "USER_ID I, USER_NAME S, EMITENT I, FILIAL I, EMITENT_NAME S, FIRM_OF_EML B, USER_OF_EML B, "
    "EML_FIRM_NAME S, EML_USER_NAME S, CURRENCY_MEASURE S, CURRENCY_NAME S";

void ExpectCatalogHolds(TDemoConnection& connection, const std::string& schema,
                        const TCatalogEntry* begin, const TCatalogEntry* end) {
  for (const TCatalogEntry* entry = begin; entry != end; ++entry) {
    const std::string key = std::string(" WHERE PACKAGE_NAME = '") + entry->Package +
                            "' AND ROUTINE_NAME = '" + entry->Name + "'";
    EXPECT_EQ(connection.Text("SELECT ROUTINE_KIND || '/' || coalesce(RESULT_TYPE, '') FROM " +
                              schema + ".ORA_ROUTINES" + key),
              std::string(entry->Kind) + "/" + entry->ResultType)
        << entry->Package << "." << entry->Name;
    EXPECT_EQ(connection.Text("SELECT group_concat(ARG_NAME, ',') FROM (SELECT ARG_NAME FROM " +
                              schema + ".ORA_ROUTINE_ARGS" + key + " ORDER BY POSITION)"),
              entry->Arguments)
        << entry->Package << "." << entry->Name;
  }
}

// Each statement of every body prepares against its schema, so no body names a missing table
// or column; argument positions run 1..n and belong to a routine of the catalog.
void ExpectBodiesAndArgumentsSound(TDemoConnection& connection, const std::string& schema) {
  TRoutineRunner runner(connection, schema);
  sqlite3_stmt* routines = nullptr;
  sqlite3_prepare_v2(connection.Handle(),
                     ("SELECT PACKAGE_NAME, ROUTINE_NAME FROM " + schema + ".ORA_ROUTINES").c_str(),
                     -1, &routines, nullptr);
  int count = 0;
  while (sqlite3_step(routines) == SQLITE_ROW) {
    ++count;
    const std::string package = reinterpret_cast<const char*>(sqlite3_column_text(routines, 0));
    const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(routines, 1));
    const std::string body = runner.Body(package, name);
    for (const char* rest = body.c_str(); *rest;) {
      sqlite3_stmt* statement = nullptr;
      const int prepared = sqlite3_prepare_v2(connection.Handle(), rest, -1, &statement, &rest);
      EXPECT_EQ(prepared, SQLITE_OK)
          << package << "." << name << ": " << sqlite3_errmsg(connection.Handle());
      sqlite3_finalize(statement);
      if (prepared != SQLITE_OK) break;
    }
  }
  sqlite3_finalize(routines);
  EXPECT_GT(count, 0) << schema;
  EXPECT_EQ(
      connection.Count("SELECT count(*) FROM " + schema +
                       ".ORA_ROUTINE_ARGS a WHERE "
                       "NOT EXISTS (SELECT 1 FROM " +
                       schema +
                       ".ORA_ROUTINES r WHERE "
                       "r.PACKAGE_NAME = a.PACKAGE_NAME AND r.ROUTINE_NAME = a.ROUTINE_NAME) "
                       "OR a.POSITION <> (SELECT count(*) FROM " +
                       schema +
                       ".ORA_ROUTINE_ARGS b "
                       "WHERE b.PACKAGE_NAME = a.PACKAGE_NAME AND b.ROUTINE_NAME = a.ROUTINE_NAME "
                       "AND b.POSITION <= a.POSITION)"),
      0)
      << schema;
}

TEST(DemoCatalog, HoldsEveryRoutineTheProgramsCallWithBodiesThatPrepare) {
  TDemoConnection centre(TDemoDatabase::Folder());
  ExpectCatalogHolds(centre, DemoSchemaName, std::begin(CentreRoutines), std::end(CentreRoutines));
  ExpectCatalogHolds(centre, DemoSchemaName, std::begin(LanguageRoutines),
                     std::end(LanguageRoutines));
  ExpectBodiesAndArgumentsSound(centre, DemoSchemaName);

  TDemoConnection translation(TDemoDatabase::Folder(), DemoTranslationSchemaName);
  ExpectCatalogHolds(translation, DemoTranslationSchemaName, std::begin(LanguageRoutines),
                     std::end(LanguageRoutines));
  ExpectBodiesAndArgumentsSound(translation, DemoTranslationSchemaName);
}

// Flags hold 0 or 1 and integers whole numbers, both as NUMBER variables; texts are VARCHAR2.
TEST(DemoCatalog, ParamPackDeclaresEveryParameterWithItsKind) {
  TDemoConnection connection(TDemoDatabase::Folder());
  std::istringstream list(ParamPackVariables);
  std::map<char, int> kinds;
  std::string name, kind;
  while (list >> name >> kind) {
    if (kind.back() == ',') kind.pop_back();
    ++kinds[kind[0]];
    const std::string where =
        " FROM OC_DEMO.ORA_PACKAGE_VARS WHERE PACKAGE_NAME = 'PARAM_PACK' "
        "AND VAR_NAME = '" +
        name + "'";
    const std::string type = connection.Text("SELECT DATA_TYPE" + where);
    if (kind == "S") {
      EXPECT_EQ(type, "VARCHAR2") << name;
    } else {
      EXPECT_EQ(type, "NUMBER") << name;
      EXPECT_EQ(connection.Text("SELECT typeof(VALUE)" + where), "integer") << name;
      if (kind == "B") {
        EXPECT_LE(static_cast<unsigned long long>(connection.Count("SELECT VALUE" + where)), 1u)
            << name;
      }
    }
  }
  EXPECT_EQ(kinds['B'], 43 + 2);
  EXPECT_EQ(kinds['I'], 18 + 3);
  EXPECT_EQ(kinds['S'], 27 + 6);
}

// The routines that only read, on the shared database.
TEST(DemoRoutines, AnswerAsTheProgramsExpect) {
  TDemoConnection connection(TDemoDatabase::Folder());
  TRoutineRunner runner(connection, DemoSchemaName);
  const struct {
    const char* Package;
    const char* Name;
    TArgs Args;
    std::string Expected;
  } calls[] = {
      {"", "CHECK_MYEMITENT", {{"P_ID_EMITENT", "1"}}, "1"},
      {"", "CHECK_MYEMITENT", {{"P_ID_EMITENT", "4"}}, "0"},
      {"", "CHECK_MYEMITENT", {{"P_ID_EMITENT", "999"}}, "0"},
      {"", "GET_WHO", {{"P_WHO", "1"}}, "2"},
      {"", "GET_WHO", {{"P_WHO", "0"}}, "3"},
      {"", "GET_USER", {}, "Смирнова Е.А."},
      {"",
       "REQUEST",
       {{"P_OBJECT_CLASS", "OBJECT"},
        {"P_OBJECT_TYPE", "PACKAGE"},
        {"P_OBJECT_NAME", "PARAM_PACK"}},
       "1"},
      {"",
       "REQUEST",
       {{"P_OBJECT_CLASS", "OBJECT"},
        {"P_OBJECT_TYPE", "PACKAGE"},
        {"P_OBJECT_NAME", "PC_PARAM_PACK"}},
       "0"},
      {"PARAM_PACK", "GET_MAIN_MES", {}, "руб"},
      {"LANG_PACK", "GET_RESOURCE_REP_TXT", {{"P_TEXT", "По умолчанию"}}, "По умолчанию"},
  };
  for (const auto& call : calls) {
    const TRoutineResult result = runner.Run(call.Package, call.Name, call.Args);
    EXPECT_EQ(result.Error, "") << call.Name;
    EXPECT_EQ(result.First(), call.Expected) << call.Name;
  }

  const TRoutineResult emitent = runner.Run("PARAM_PACK", "INF_EMITENT");
  EXPECT_EQ(Joined(emitent.Columns),
            "EMITENT,ID_FIRMY,FIRM_NAME,COUNTRY,CITY,INN,OKPO,ADRESS,DOGOVOR,MANAGER,MAINBUH,"
            "MGR_JOBTITLE,MARK,KPP,MANAGER_RP,MB_JOBTITLE,MGR_JOBTITLE_RP,ID_OKONH");
  ASSERT_EQ(emitent.Rows.size(), 1u);
  EXPECT_EQ(emitent.Rows[0][0], "1");
  EXPECT_EQ(emitent.Rows[0][2], "ООО \"Север-Ойл Процессинг\"");

  const TRoutineResult members =
      runner.Run("POSGROUPPACK", "GET_POS_IN_GROUP", {{"PID_GROUP", "1"}});
  EXPECT_EQ(Joined(members.Columns), "NAME,ID_POS,ID_EMITENT,ID_FILIAL");
  EXPECT_EQ(static_cast<long long>(members.Rows.size()),
            connection.Count("SELECT count(*) FROM OC_DEMO.V_POSGROUPITEM WHERE ID_GROUP = 1"));
  EXPECT_FALSE(members.Rows.empty());

  const TRoutineResult schemes = runner.Run("PARAM_PACK", "GET_TRN_SHEMES");
  EXPECT_EQ(Joined(schemes.Columns), "SCHEME_ID,SCHEME_NAME");
  EXPECT_FALSE(schemes.Rows.empty());
}

// The routines that change data run on a database of their own.
class DemoRoutinesChanging : public ::testing::Test {
 protected:
  void SetUp() override { CreateDemoDatabase(Folder.Path(), MinDemoRows); }

  TTempFolder Folder;
};

TEST_F(DemoRoutinesChanging, SetParamStoresKnownParametersAndRefusesOthers) {
  TDemoConnection connection(Folder.Path());
  TRoutineRunner runner(connection, DemoSchemaName);
  const auto value = [&](const char* name) {
    return connection.Text(std::string("SELECT VALUE FROM OC_DEMO.ORA_PACKAGE_VARS WHERE "
                                       "PACKAGE_NAME = 'PARAM_PACK' AND VAR_NAME = '") +
                           name + "'");
  };
  EXPECT_EQ(
      runner.Run("PARAM_PACK", "SET_PARAM", {{"P_NAME", "manager"}, {"P_VALUE", "Иванов И.И."}})
          .Error,
      "");
  EXPECT_EQ(value("MANAGER"), "Иванов И.И.");
  EXPECT_EQ(
      runner.Run("PARAM_PACK", "SET_PARAM", {{"P_NAME", "USE_POSTPONED"}, {"P_VALUE", "True"}})
          .Error,
      "");
  EXPECT_EQ(value("USE_POSTPONED"), "1");
  EXPECT_EQ(runner.Run("PARAM_PACK", "SET_PARAM", {{"P_NAME", "IBS_DELTA_TIME"}, {"P_VALUE", "45"}})
                .Error,
            "");
  EXPECT_EQ(value("IBS_DELTA_TIME"), "45");

  EXPECT_EQ(runner.Run("PARAM_PACK", "SET_PARAM", {{"P_NAME", "NO_SUCH"}, {"P_VALUE", "1"}}).Error,
            "ORA-20001: Параметр NO_SUCH не объявлен в пакете PARAM_PACK");
  EXPECT_EQ(
      connection.Count("SELECT count(*) FROM OC_DEMO.ORA_PACKAGE_VARS WHERE VAR_NAME = 'NO_SUCH'"),
      0);
}

TEST_F(DemoRoutinesChanging, MarkMirrorRecordsEachRowOnce) {
  TDemoConnection connection(Folder.Path());
  TRoutineRunner runner(connection, DemoSchemaName);
  const TArgs row = {{"P_GUID_SERVICE", "7F3A"},
                     {"P_DATASET_NAME", "OraQuery1"},
                     {"P_ROWID_QUERY", "AAACRD000000000001"}};
  const char* const lines = "SELECT count(*) FROM OC_DEMO.TEMP_SELECT_LINE";
  runner.Run("TEMP_SELECT_PACK", "INS_ORDER_LINES_REPORT", row);
  EXPECT_EQ(runner.Run("TEMP_SELECT_PACK", "INS_ORDER_LINES_REPORT", row).Error, "");
  EXPECT_EQ(connection.Count(lines), 1);
  EXPECT_EQ(runner.Run("TEMP_SELECT_PACK", "DEL_ORDER_LINES_REPORT", row).Error, "");
  EXPECT_EQ(connection.Count(lines), 0);
}

TEST_F(DemoRoutinesChanging, CardsPackChangesAndDeletesActsAndRefusesUnknownOnes) {
  TDemoConnection connection(Folder.Path());
  TRoutineRunner runner(connection, DemoSchemaName);
  const char* const comment =
      "SELECT COMMENTARY FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE DROC_JOURNAL_ACT_ID = 5";

  EXPECT_EQ(runner
                .Run("CARDS_PACK", "UPD_COMMENT",
                     {{"P_ACT_ID", "5"}, {"P_NEW_COMMENT", "Карты получены\r\nлично"}})
                .Error,
            "");
  EXPECT_EQ(connection.Text(comment), "Карты получены\r\nлично");
  EXPECT_EQ(runner
                .Run("CARDS_PACK", "UPD_COMMENT",
                     {{"P_ACT_ID", "5"}, {"P_NEW_COMMENT", std::string(4001, 'x')}})
                .Error,
            "ORA-20011: Комментарий длиннее 4000 символов");
  EXPECT_EQ(connection.Text(comment), "Карты получены\r\nлично");

  EXPECT_EQ(runner.Run("CARDS_PACK", "DEL_ACT", {{"P_ACT_ID", "5"}}).Error, "");
  EXPECT_EQ(connection.Count(
                "SELECT count(*) FROM OC_DEMO.V_DROC_JOURNAL_ACT WHERE DROC_JOURNAL_ACT_ID = 5"),
            0);
  EXPECT_EQ(runner.Run("CARDS_PACK", "DEL_ACT", {{"P_ACT_ID", "5"}}).Error,
            "ORA-20010: Акт 5 не найден в журнале");
  EXPECT_EQ(
      runner.Run("CARDS_PACK", "UPD_COMMENT", {{"P_ACT_ID", "5"}, {"P_NEW_COMMENT", "-"}}).Error,
      "ORA-20010: Акт 5 не найден в журнале");
}

TEST_F(DemoRoutinesChanging, LanguagePackTranslatesForTheUsersLanguageAndRegistersPhrasesOnce) {
  TDemoConnection centre(Folder.Path());
  TRoutineRunner texts(centre, DemoSchemaName);
  centre.Exec("UPDATE OC_DEMO.ORA_PACKAGE_VARS SET VALUE = 9 WHERE VAR_NAME = 'USER_LANG_ID'");
  EXPECT_EQ(texts.Run("LANG_PACK", "GET_RESOURCE_APL_TXT", {{"P_TEXT", "Покупка"}}).First(),
            "Purchase");
  EXPECT_EQ(texts.Run("LANG_PACK", "GET_RESOURCE_REP_TXT", {{"P_TEXT", "Не задан"}}).First(),
            "Not set");
  EXPECT_EQ(texts.Run("LANG_PACK", "GET_RESOURCE_APL_TXT", {{"P_TEXT", "Без перевода"}}).First(),
            "Без перевода");

  TDemoConnection translation(Folder.Path(), DemoTranslationSchemaName);
  TRoutineRunner phrases(translation, DemoTranslationSchemaName);
  const TArgs phrase = {{"P_TEXT", "Выбор ТО"}, {"P_ID_DFM", "2"}, {"P_COMMENT", ""}};
  EXPECT_EQ(phrases.Run("LANG_PACK", "SAVE_RUSSIAN_PHRASE", phrase).Error, "");
  EXPECT_EQ(phrases.Run("LANG_PACK", "SAVE_RUSSIAN_PHRASE", phrase).Error, "");
  EXPECT_EQ(
      translation.Count("SELECT count(*) FROM OC_57XX.LANG_PHRASE WHERE RUS_TEXT = 'Выбор ТО'"), 1);
  EXPECT_EQ(translation.Count(
                "SELECT count(*) FROM OC_57XX.LANG_DFM_PHRASE d JOIN OC_57XX.LANG_PHRASE p "
                "ON p.ID_PHRASE = d.ID_PHRASE WHERE d.ID_DFM = 2 AND p.RUS_TEXT = 'Выбор ТО'"),
            1);
  EXPECT_EQ(
      phrases.Run("LANG_PACK", "SAVE_RUSSIAN_PHRASE", {{"P_TEXT", "Клиенты"}, {"P_ID_DFM", "99"}})
          .Error,
      "ORA-20030: Окно 99 не зарегистрировано");
  EXPECT_EQ(
      translation.Count("SELECT count(*) FROM OC_57XX.LANG_PHRASE WHERE RUS_TEXT = 'Клиенты'"), 0);
}

}  // namespace
