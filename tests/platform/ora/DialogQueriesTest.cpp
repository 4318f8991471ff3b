// Every query text of the selection dialogs, the journal of acts and the language registration,
// exactly as the windows hold them, prepared and opened on the demo database.
#include <gtest/gtest.h>

#include "db/demo/DemoDatabase.h"
#include "platform/ora/OraDataSet.h"
#include "platform/ora/OraPackage.h"
#include "platform/rtl/ScopeGuard.h"
#include "support/TempFolder.h"

namespace {

struct TQueryText {
  const char* Name;
  std::vector<const char*> Lines;
  const char* Field;  // the FIELD macro's default
  std::vector<std::pair<const char*, Variant>> Params = {};
  std::vector<std::pair<const char*, const char*>> Macros = {};
};

void PrintTo(const TQueryText& text, std::ostream* out) { *out << text.Name; }

const TQueryText kDialogQueries[] = {
    // Service points and terminals.
    {"TSelectTO", {"SELECT * FROM &shema.V_POS", "&ORDER &FIELD"}, "ID_POS"},
    {"TFormSelectSinglePOS",
     {"SELECT * FROM &shema.V_POS", "&ORDER &FIELD"},
     "ID_EMITENT, ID_FILIALA, ID_POS "},
    {"TSelectTOWithoutGrSF",
     {"SELECT *", "FROM   &shema.v_pos p", "WHERE  NOT EXISTS (SELECT 1",
      "        FROM   &shema.v_posgroup     pg,", "               &shema.v_posgroupitem pgi",
      "        WHERE  pg.id = pgi.id_group", "        AND    pg.use_in_exp_invoice = 1",
      "        AND    pgi.id_pos = p.id_pos", "        AND    pgi.id_emitent = p.id_emitent)",
      "AND   EXISTS (SELECT 1", "              FROM   &shema.v_posgroup pg",
      "              WHERE  pg.use_in_exp_invoice = 1)", "&ORDER &FIELD"},
     "ID_POS"},
    {"TSelectGrpTO",
     {"SELECT *", "FROM &SHEMA.V_POSGROUP pg", "WHERE pg.id > 0", "&ORDER &FIELD"},
     "ID"},
    {"TfrmSelectTOGrExpSF",
     {"SELECT '-' AS RCHECK,", "       pg.id,", "       pg.name", "FROM   &shema.v_posgroup pg",
      "WHERE  pg.use_in_exp_invoice = 1", "&ORDER &FIELD"},
     "ID"},
    {"TSelectSingleTerminal",
     {"SELECT '-' AS RCHECK,", "       TRM.*", "FROM   &SHEMA.V_MYTERMINAL TRM", "&ORDER &FIELD"},
     "NUM_TERMINAL"},
    {"TSelectShiftTO",
     {"SELECT shft.*      ", "FROM   &shema.V_OC_SHIFT_TRANSACTION shft ", "&ORDER &FIELD"},
     "pos_number,terminal_number,shift_id,datetime_open"},
    // Clients and firms.
    {"TSelectFirm",
     {"SELECT v.name,",
      "       v.rcheck,",
      "       v.id,",
      "       v.who,",
      "       v.in_work,",
      "       v.pasport,",
      "       v.adress,",
      "       v.inn,",
      "       v.kpp,",
      "       v.okpo,",
      "       v.dogovor,",
      "       v.e_mail,",
      "       v.clienttype,",
      "       v.name_for_report,",
      "       v.rowid_query,",
      "       v.block_day,",
      "       v.block_month,",
      "       v.conf_name_for_report,",
      "       v.id_firm_buyer",
      "FROM &shema.v_bglclient v",
      "WHERE not exists (SELECT CL.ID",
      "                  FROM   &shema.V_GRPCLIENT CL",
      "                  WHERE  CL.ID       = V.ID",
      "                     AND CL.WHO      = V.WHO",
      "                     AND CL.ID_GROUP = :P_ID_GROUP",
      "                  )",
      "&ORDER &FIELD"},
     "WHO,ID",
     {{"P_ID_GROUP", Variant(1)}}},
    {"TfmSelectFirmFull",
     {"SELECT '-' AS RCHECK,", "       cl.*", "FROM   &shema.v_clients cl", "&ORDER &FIELD"},
     "WHO,ID"},
    {"TfrmSelectClientForClient",
     {"SELECT '-' AS rcheck,", "       vcl.id,", "       vcl.who,", "       vcl.name,",
      "       vcl.adress,", "       vcl.clienttype", "FROM   &shema.v_droc_clients vcl",
      "WHERE  NOT EXISTS (SELECT va.clientid AS id,",
      "               DECODE(va.clienttype, 2, 1, 3, 0) AS who",
      "        FROM   &shema.v_access_employe_client va",
      "        WHERE  NVL(va.employeid, 0) = NVL(:pempid, 0)",
      "        AND    va.clientid = vcl.id",
      "        AND    va.clienttype = &shema.get_who(vcl.who))", "&ORDER &FIELD"},
     "ID",
     {{"pempid", Variant(1)}}},
    // Cards.
    {"TChooseCards",
     {"SELECT * ", "FROM &shema.v_card_client vcc", "&WHERE", "&ORDER &FIELD"},
     "Grafnum",
     {},
     {{"WHERE", ""}}},
    {"TFormSelectCard", {"SELECT * FROM &shema.V_CARD_CLIENT", "&ORDER &FIELD"}, "GRAFNUM"},
    {"TFormSelectCardOperator", {"SELECT * FROM &shema.V_CARD_OPERATOR", "&ORDER &FIELD"}, "ID"},
    {"TFormSelectCardEmploye",
     {"SELECT '-' AS RCHECK,", "       VCE.*", "  FROM &SHEMA.V_CARD_EMPLOYE VCE",
      " WHERE VCE.ID_CARD NOT IN (SELECT VCEGI.CARD_ID",
      "                             FROM &SHEMA.V_CARD_EMP_GROUP_ITEM VCEGI",
      "                            WHERE VCEGI.GROUP_ID = :pGroupID) ", "&ORDER ", "&FIELD"},
     "GRAFNUM",
     {{"pGroupID", Variant(3)}}},
    {"TSelectGroupCard",
     {"SELECT x.*,", "       '['||TO_CHAR(x.ID)||'] '||x.NAME as Caption",
      "FROM  &SHEMA.V_CARD_GROUP x", "&ORDER &FIELD"},
     "ID"},
    {"TSelectGroupCard.qCARD_GROUP_ITEM",
     {"SELECT *", "FROM  &SHEMA.V_CARD_GROUP_ITEM", "&ORDER &FIELD"},
     "GRAFNUM"},
    // RFID tags.
    {"TFormSelectRFID",
     {"SELECT '-' as RCHECK,", "       vdvr.* ", "FROM &shema.v_droc_vehicle_rfid vdvr",
      "&ORDER &FIELD"},
     "RFID_NUM"},
    {"TSelectClientRFIDTags",
     {"SELECT * FROM &shema.V_BGLCLIENT v", "WHERE v.WHO = 1", "&ORDER &FIELD"},
     "ID"},
    {"TSelectClientRFIDTags.V_CARD",
     {"SELECT * FROM &shema.v_droc_vehicle_rfid", "&ORDER &FIELD"},
     "RFID_NUM"},
    {"TFormSelectRFIDTagsByGroup",
     {"SELECT '-' as RCHECK,", "       vdrg.*", "FROM  &SHEMA.v_droc_rfid_group vdrg",
      "&ORDER &FIELD"},
     "GROUP_ID"},
    {"TFormSelectRFIDTagsByGroup.qCARD_GROUP_ITEM",
     {"SELECT vdrgi.*", "FROM  &SHEMA.v_droc_rfid_group_item vdrgi", "&ORDER &FIELD"},
     "RFID_NUM"},
    {"TFormSelectRFIDTagsByCard",
     {"SELECT *", "FROM  &SHEMA.V_CARD_CLIENT", "&ORDER &FIELD"},
     "GRAFNUM"},
    {"TFormSelectRFIDTagsByCard.qCARD_GROUP_ITEM",
     {"SELECT *", "FROM  &SHEMA.v_droc_rfid_on_card", "&ORDER &FIELD"},
     "RFID_NUM"},
    // Emitents.
    {"TSelectEmitent",
     {"SELECT * FROM &shema.V_EMITENT",
      "WHERE (:P_EXLUDE_OUR_EMIT = 0) OR ((:P_EXLUDE_OUR_EMIT = 1) AND (&shema.CHECK_MYEMITENT(ID) "
      "= 0))",
      "&ORDER &FIELD"},
     "ID",
     {{"P_EXLUDE_OUR_EMIT", Variant(1)}}},
    {"TSelectEmitent.V_DEMITENT",
     {"SELECT * FROM &shema.V_DEMITENT",
      "WHERE (:P_EXLUDE_OUR_EMIT = 0) OR ((:P_EXLUDE_OUR_EMIT = 1) AND (&shema.CHECK_MYEMITENT(ID) "
      "= 0))",
      "&ORDER &FIELD"},
     "ID",
     {{"P_EXLUDE_OUR_EMIT", Variant(0)}}},
    {"TSelectEmByGrp", {"SELECT * FROM &shema.v_emitentgroup", "&ORDER &FIELD"}, "ID"},
    {"TSelectEmByGrp.V_GROUPITEM",
     {"SELECT * FROM &shema.v_emitentgroupitem", "&ORDER &FIELD"},
     "ID"},
    {"TSelectGrpEmt", {"SELECT * FROM &shema.V_EMITENTGROUP", "&ORDER &FIELD"}, "ID"},
    {"TSelectGrpEmt.QEmit_By_Group",
     {"SELECT GRIT.ID_GROUP,", "       GRIT.ID,", "       GRIT.NAME,", "       GRIT.ID_FIRM,",
      "       GRIT.FIRM_NAME,", "       GRIT.ADRESS,", "       GRIT.DOGOVOR,", "       GRIT.OKPO,",
      "       GRIT.INN,", "       GRIT.IN_WORK,", "       grit.name_for_report,",
      "       GRIT.ROWID_QUERY,", "       '+' as RCHECK", "FROM &SHEMA.V_EMITENTGROUPITEM GRIT",
      "&ORDER &FIELD"},
     "ID"},
    {"TSelectEmitentFrm",
     {"SELECT '-' as RCHECK,", "       V_EMT.* ", "FROM &shema.V_OC_EMITENT_FILIAL V_EMT",
      "where (:p1 = 1 ", "       and &shema.CHECK_MYEMITENT(V_EMT.ID_EMITENT) = 1", "      )",
      "  or  (:p1 = 2 ", "       and &shema.CHECK_MYEMITENT(V_EMT.ID_EMITENT) = 0", "      )",
      "  or  :p1 = 0", "&ORDER &FIELD"},
     "ID_EMITENT,ID_FILIALA",
     {{"p1", Variant(2)}}},
    {"TSelectGroup",
     {"SELECT &ID AS ID, NAME, DESCRIPTION, RCHECK, &EXT_ID as EXT_ID, &addition_fields as "
      "add_field",
      "FROM &shema.&WHOSI_GROUP", "where ((nvl(:p, 0) = 0) or ",
      "       ((:p = 1) and  (&EXT_ID is not null))) and ",
      "       ((nvl(:p1, 0) = 0 or ((:p1 = 1) and  (&addition_fields=1))))", "&ORDER &FIELD"},
     "ID",
     {{"p1", Variant(0)}},
     {{"ID", "ID"},
      {"EXT_ID", "0"},
      {"addition_fields", "'1'"},
      {"WHOSI_GROUP", "V_EMITENTGROUP"}}},
    {"TSelectGroup.clients",
     {"SELECT &ID AS ID, NAME, DESCRIPTION, RCHECK, &EXT_ID as EXT_ID, &addition_fields as "
      "add_field",
      "FROM &shema.&WHOSI_GROUP", "where ((nvl(:p, 0) = 0) or ",
      "       ((:p = 1) and  (&EXT_ID is not null))) and ",
      "       ((nvl(:p1, 0) = 0 or ((:p1 = 1) and  (&addition_fields=1))))", "&ORDER &FIELD"},
     "ID",
     {{"p1", Variant(0)}},
     {{"ID", "ID"}, {"EXT_ID", "0"}, {"addition_fields", "'1'"}, {"WHOSI_GROUP", "v_group"}}},
    // Employees.
    {"TfrmSelectEmployee",
     {"SELECT '-' as RCHECK,", "       vemp.ID_CHELOVEKA       AS ID,",
      "       vemp.F_I_O              AS F_I_O,", "       vemp.OPISANIE_DOLJNOSTI AS doljnost",
      "FROM   &SHEMA.V_EMPLOYE vemp", "&ORDER &FIELD"},
     "ID"},
    {"TfmSelectEmploye",
     {"SELECT '-' AS rcheck,", "       v.id_cheloveka,", "       v.f_i_o",
      "FROM   (SELECT 0 AS id_cheloveka,",
      "               &shema.lang_pack.get_resource_rep_txt(&txt) AS f_i_o",
      "        FROM   dual d", "        UNION ALL",
      "        SELECT e.id_cheloveka AS id_cheloveka,", "               e.f_i_o        AS f_i_o",
      "        FROM   &shema.v_employe e) v", "WHERE  NOT EXISTS (SELECT 1",
      "        FROM   &shema.v_access_employe_client aec",
      "        WHERE  NVL(aec.employeid, 0) = v.id_cheloveka",
      "        AND    aec.clientid = :pclientid", "        AND    aec.clienttype = :pclienttype)",
      "&ORDER &FIELD"},
     "ID_CHELOVEKA",
     {},
     {{"txt", "'По умолчанию'"}}},
    {"TfmSelectEmployeRole",
     {"SELECT E.RCHECK, E.ID_CHELOVEKA, E.F_I_O, VRR.REPORT_ROLE_NAME FROM &SHEMA.V_EMPLOYE E, "
      "&SHEMA.V_LINK_ROLES_EMPLOYEE "
      "VLRE, &SHEMA.V_REPORT_ROLES VRR WHERE VLRE.REPORT_ROLE_ID = VRR.REPORT_ROLE_ID (+) AND "
      "VLRE.ID_EMP (+) = "
      "E.ID_CHELOVEKA  AND NOT EXISTS (SELECT 1 FROM &SHEMA.V_LINK_ROLES_EMPLOYEE VLRE  WHERE  "
      "VLRE.ID_EMP  = "
      "E.ID_CHELOVEKA AND VLRE.REPORT_ROLE_ID = :ROLE_ID) &ORDER &FIELD"},
     "ID_CHELOVEKA",
     {{"ROLE_ID", Variant(1)}}},
    // Services, tariffs and type lists.
    {"TSelTarif.QIntTarif",
     {"SELECT rcheck,ID, NAME, DESCRIPTION", "FROM &SHEMA.V_INT_DTARIF", "&ORDER &FIELD"},
     "ID"},
    {"TSelTarif",
     {"SELECT rcheck,ID, NAME, DESCRIPTION", "FROM &SHEMA.V_EXT_DTARIF", "&ORDER &FIELD "},
     "ID"},
    {"TSelectService",
     {"SELECT ID, MEASUREMENT, NAME, ACTIVNOST, RCHECK ", "FROM &shema.V_SERVICE", "&ORDER &FIELD"},
     "ID"},
    {"TFormSelectSingleService",
     {"SELECT RCHECK, ID, MEASUREMENT, NAME, ACTIVNOST ", "FROM &shema.V_SERVICE", "&ORDER &FIELD"},
     "ID"},
    {"TfrmSelectServiceType",
     {"SELECT ID,  NAME,  RCHECK ", "FROM &shema.v_oc_service_types", "&ORDER &FIELD"},
     "ID"},
    {"TfmSelectOCDTarifPerPar",
     {"SELECT VODPP.*", " FROM &shema.V_OC_DTARIF_PERIOD_PARAM VODPP", "&ORDER &FIELD"},
     "id_dtarif_period_param"},
    {"TfmSelectTrnType",
     {"SELECT vdtt.rcheck,", "       vdtt.id,",
      "        &shema.LANG_PACK.GET_RESOURCE_APL_TXT(vdtt.name) as name",
      "FROM &shema.v_droc_trn_type vdtt", "&ORDER &FIELD"},
     "ID"},
    {"TfmSelectNotificationsType",
     {"SELECT   *", "  FROM &shema.v_oc_notifications_type", "&ORDER &FIELD"},
     "ID"},
    {"TfrmSelectAccountChangeOperations",
     {"SELECT t.RCHECK, ", "       t.operation AS ID,", "       t.discription_reason AS name",
      "FROM &shema.V_DOC_ACCOUNT_CHANGE_REASON t", "&ORDER &FIELD"},
     ""},
    // Client groups.
    {"TSelectClientByGroup",
     {"SELECT * FROM &shema.v_group", "where &shema.v_group.Who=: pWHO ", "&ORDER &FIELD"},
     "ID",
     {{"pWHO", Variant(1)}}},
    {"TSelectClientByGroup.V_ITEM",
     {"SELECT * FROM &shema.V_GRPCLIENT_WITHOUT_RIGHTS", "&ORDER &FIELD"},
     "NAME"},
    {"TSelPBLClientByGroup",
     {"SELECT v.*,", "       '-' AS rcheck,", "       '' as name", "FROM (SELECT",
      "        cg.client_group_id as id,", "        cg.client_group_name as name,",
      "        cg.frequency,", "        cg.duration,", "        cg.quantity_duration,",
      "        cg.description,", "        cg.rowid_query",
      "      FROM &shema.v_droc_pbl_client_group cg", "      ) v", "&ORDER &FIELD"},
     "id"},
    {"TSelPBLClientByGroup.V_ITEM",
     {"SELECT",
      "  '-'       AS rcheck,",
      "  v.*",
      "FROM",
      "(SELECT  ",
      "  clnt.id,",
      "  clnt.who  AS client_status,",
      "  clnt.name,",
      "  clnt.DOGOVOR,",
      "  clnt.INN,",
      "  clnt.KPP,",
      "  clnt.ADRESS,",
      "  clnt.OKPO,",
      "  clnt.E_MAIL,",
      "  clnt.PASPORT,",
      "  clnt.REAL_ADDRESS,",
      "  clnt.Name_for_report,",
      "  cog.client_group_id as client_group_id",
      "FROM &shema.v_bglclient clnt,",
      "     &shema.v_droc_pbl_client_of_group cog",
      "WHERE cog.client_id     = clnt.ID",
      "  AND cog.client_status = clnt.who",
      "UNION",
      "SELECT",
      "  clnt.id,",
      "  clnt.who  AS client_status,",
      "  clnt.name,",
      "  clnt.DOGOVOR,",
      "  clnt.INN,",
      "  clnt.KPP,",
      "  clnt.ADRESS,",
      "  clnt.OKPO,",
      "  clnt.E_MAIL,",
      "  clnt.PASPORT,",
      "  clnt.REAL_ADDRESS,",
      "  clnt.Name_for_report,",
      "  0 as client_group_id\t",
      "FROM &shema.v_bglclient clnt",
      "WHERE (NOT EXISTS(SELECT '1'",
      "                   FROM &shema.v_droc_pbl_client_of_group cog",
      "                   WHERE cog.client_id     = clnt.ID",
      "                     AND cog.client_status = clnt.who",
      "                   )))v",
      "&ORDER &FIELD"},
     "CLIENT_STATUS,id,name"},
    {"TSelectClientByGroupFull", {"SELECT * FROM &shema.v_group", "&ORDER &FIELD"}, "ID"},
    // Marking by client and by card group.
    {"TSelectClientCard", {"SELECT * FROM &shema.V_BGLCLIENT", "&ORDER &FIELD"}, "ID"},
    {"TSelectClientCard.V_CARD",
     {"SELECT * FROM &shema.V_CARD_CLIENT", "&ORDER &FIELD"},
     "GRAFNUM"},
    {"TFormSelectCardByGroup", {"SELECT *", "FROM  &SHEMA.V_CARD_GROUP", "&ORDER &FIELD"}, "ID"},
    {"TFormSelectCardByGroup.qCARD_GROUP_ITEM",
     {"SELECT *", "FROM  &SHEMA.V_CARD_GROUP_ITEM", "&ORDER &FIELD"},
     "GRAFNUM"},
    // The journal of acts.
    {"TfmJournalAct.oqListYear",
     {"SELECT distinct to_char(t.act_date, 'YYYY') as P_ACT_YEAR, TRUNC(t.act_date, 'YEAR') as "
      "P_YEAR_DATE",
      "FROM &shema.v_droc_journal_act t", "order by P_ACT_YEAR desc"},
     ""},
    {"TfmJournalAct.OraQuery1",
     {"SELECT * FROM &shema.v_droc_journal_act t",
      " where t.act_date between TRUNC(:P_YEAR_DATE, 'YEAR')",
      "    and ADD_MONTHS(TRUNC(:P_YEAR_DATE, 'YEAR'),12)", "&ORDER &FIELD"},
     "act_number",
     {{"P_YEAR_DATE", VarFromDateTime(EncodeDate(2023, 6, 30))}}},
    {"TfmJournalAct.oqOneActFile",
     {"SELECT t.report_file_name, t.report_file FROM &shema.v_droc_journal_act t",
      "where t.droc_journal_act_id = :p_act_id"},
     "",
     {{"p_act_id", Variant(1)}}},
    // The parameter package's presence, as the report modules ask for it.
    {"TEXLBaseTarnolReport.REQUEST",
     {"SELECT OC_DEMO.REQUEST('OBJECT', 'PACKAGE', 'PARAM_PACK', NULL) as vrequest FROM DUAL"},
     ""},
};

class DialogQueries : public ::testing::TestWithParam<TQueryText> {
 public:
  static void SetUpTestSuite() {
    FFolder = new TTempFolder();
    CreateDemoDatabase(FFolder->Path(), DefaultDemoRows);
  }
  static void TearDownTestSuite() {
    delete FFolder;
    FFolder = nullptr;
  }

 protected:
  DialogQueries() {
    FSession = TOraSession::Create(FOwner.Get());
    FSession->SetServer(FFolder->Path());
    FSession->SetUsername("OC_DEMO");
  }

  static TTempFolder* FFolder;
  FreeOnExit<TComponent> FOwner{TComponent::Create(nullptr)};
  TOraSession* FSession = nullptr;
};

TTempFolder* DialogQueries::FFolder = nullptr;

TEST_P(DialogQueries, PrepareAndOpenOnTheDemoDatabase) {
  const TQueryText& text = GetParam();
  TOraQuery* query = TOraQuery::Create(FOwner.Get());
  query->SetSession(FSession);
  for (const char* line : text.Lines) query->SQL()->Add(line);
  for (TMacro* macro : *query->Macros()) {
    if (SameText(macro->Name(), "shema")) macro->SetValue("OC_DEMO");
    if (SameText(macro->Name(), "ORDER")) macro->SetValue(*text.Field ? "ORDER BY" : "");
    if (SameText(macro->Name(), "FIELD")) macro->SetValue(text.Field);
  }
  for (const auto& [name, value] : text.Macros) query->MacroByName(name)->SetValue(value);
  for (const auto& [name, value] : text.Params) query->ParamByName(name)->SetValue(value);
  try {
    query->Prepare();
    query->Open();
  } catch (const Exception& error) {
    FAIL() << error.Message() << "\n" << query->FinalSQL();
  }
  EXPECT_GT(query->RecordCount(), 0) << query->FinalSQL();
  // The check column is a one-character text wherever a list shows one.
  if (TField* check = query->FindField("RCHECK")) {
    EXPECT_TRUE(check->DataType() == ftString || check->DataType() == ftFixedChar)
        << FieldTypeName(check->DataType());
    EXPECT_EQ(check->Size(), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, DialogQueries, ::testing::ValuesIn(kDialogQueries),
                         [](const ::testing::TestParamInfo<TQueryText>& info) {
                           String name = info.param.Name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// The calls of stored routines that the windows and data modules make.
TEST_F(DialogQueries, RoutineCallsRunOnTheDemoDatabase) {
  TOraStoredProc* pointsOfGroup = TOraStoredProc::Create(FOwner.Get());
  pointsOfGroup->SetSession(FSession);
  pointsOfGroup->SetStoredProcName("OC_DEMO.POSGROUPPACK.GET_POS_IN_GROUP");
  pointsOfGroup->PrepareSQL();
  pointsOfGroup->ParamByName("PID_GROUP")->SetAsInteger(1);
  pointsOfGroup->Open();
  EXPECT_GT(pointsOfGroup->RecordCount(), 0);
  EXPECT_NE(pointsOfGroup->FindField("ID_FILIAL"), nullptr);

  TOraStoredProc* emitentInfo = TOraStoredProc::Create(FOwner.Get());
  emitentInfo->SetSession(FSession);
  emitentInfo->SetStoredProcName("oc_57xx.PARAM_PACK.INF_EMITENT");
  emitentInfo->SQL()->SetText("begin\n:RESULT := OC_DEMO.PARAM_PACK.INF_EMITENT;\nend;");
  emitentInfo->ParamByName("RESULT")->SetDataType(ftCursor);
  emitentInfo->Open();
  EXPECT_EQ(emitentInfo->RecordCount(), 1);
  EXPECT_FALSE(emitentInfo->FieldByName("FIRM_NAME")->AsString().empty());

  TOraStoredProc* schemes = TOraStoredProc::Create(FOwner.Get());
  schemes->SetSession(FSession);
  schemes->SetStoredProcName("OC_DEMO.param_pack.get_trn_shemes");
  schemes->Open();
  EXPECT_GT(schemes->RecordCount(), 0);

  TOraPackage* paramPack = TOraPackage::Create(FOwner.Get());
  paramPack->SetSession(FSession);
  paramPack->SetPackageName("OC_DEMO.PARAM_PACK");
  EXPECT_FALSE(VarToStr(paramPack->GetVariable("MANAGER")).empty());
  EXPECT_FALSE(VarToStr(paramPack->ExecProc("GET_MAIN_MES")).empty());
  paramPack->ExecProc("SET_PARAM", {Variant("MANAGER"), Variant("Новый управляющий")});
  EXPECT_EQ(VarToStr(paramPack->GetVariable("MANAGER")), "Новый управляющий");

  TOraPackage* marks = TOraPackage::Create(FOwner.Get());
  marks->SetSession(FSession);
  marks->SetPackageName("OC_DEMO.TEMP_SELECT_PACK");
  marks->ExecProc("INS_ORDER_LINES_REPORT",
                  {Variant("{GUID}"), Variant("OraQuery1"), Variant("AAAB")});
  marks->ExecProc("DEL_ORDER_LINES_REPORT",
                  {Variant("{GUID}"), Variant("OraQuery1"), Variant("AAAB")});
}

// The registration of a window's phrases in the translators' schema.
TEST_F(DialogQueries, PhraseRegistrationStatementsRun) {
  TOraQuery* query = TOraQuery::Create(FOwner.Get());
  query->SetSession(FSession);
  query->SQL()->SetText("SELECT (NVL(MAX(id_dpr), 0) + 1) as dpr_id_next FROM oc_57xx.dpr");
  query->Open();
  const int dpr = query->FieldByName("dpr_id_next")->AsInteger();
  query->Close();
  FSession->StartTransaction();
  query->SQL()->SetText("INSERT INTO oc_57xx.dpr (id_dpr, name) VALUES(" + std::to_string(dpr) +
                        ", 'RodODOriv.dpr')");
  query->ExecSQL();
  query->SQL()->SetText("SELECT (NVL(MAX(id_dfm), 0) + 1) as dfm_id_next FROM oc_57xx.dfm");
  query->Open();
  const String dfm = query->FieldByName("DFM_ID_NEXT")->AsString();
  query->Close();
  query->SQL()->SetText("INSERT INTO oc_57xx.dfm (fk_dpr, name, id_dfm,  is_translit) VALUES(" +
                        std::to_string(dpr) + ", 'TSelectTO', " + dfm + ", 0)");
  query->ExecSQL();
  FSession->Commit();
  query->SQL()->SetText("begin OC_57xx.lang_pack.SAVE_RUSSIAN_PHRASE (:text," + dfm + ",''); end;");
  query->ParamByName("text")->SetAsString("Выбор точки");
  query->ExecSQL();
  query->SQL()->SetText("SELECT id_dpr FROM oc_57xx.dpr WHERE NAME = 'RodODOriv.dpr'");
  query->Open();
  EXPECT_EQ(query->FieldByName("ID_DPR")->AsInteger(), dpr);
}

}  // namespace
