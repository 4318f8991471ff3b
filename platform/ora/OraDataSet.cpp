#include "platform/ora/OraDataSet.h"

#include <algorithm>

#include "platform/ora/OraFunctions.h"
#include "platform/ora/SqlText.h"
#include "platform/ora/SqlTokens.h"
#include "platform/rtl/ScopeGuard.h"

RTL_CLASS_IMPL(TOraDataSet, TDataSet)
RTL_CLASS_IMPL_CREATABLE(TCustomOraQuery, TOraDataSet)
RTL_CLASS_IMPL_CREATABLE(TOraQuery, TCustomOraQuery)
RTL_CLASS_IMPL_CREATABLE(TOraStoredProc, TCustomOraQuery)

namespace {

bool ReturnsRows(const String& sql) {
  TSqlTokens t(sql);
  const int first = t.NextSig(-1);
  return t.IsWord(first, "SELECT") || t.IsWord(first, "WITH");
}

void FetchRows(TOraCursor& cursor, TDataLoad& load) {
  const int count = cursor.ColumnCount();
  std::vector<bool> isDate(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TOraColumn& column = cursor.Columns()[static_cast<size_t>(i)];
    load.AddColumn(column.Name, OraFieldType(column.Info.Type), column.Info.Size,
                   column.Info.Precision, column.Info.Scale);
    isDate[static_cast<size_t>(i)] = column.Info.Type == TOraDataType::Date;
  }
  while (cursor.Next()) {
    load.AppendRow();
    for (int i = 0; i < count; ++i) {
      switch (cursor.StorageTypeOf(i)) {
        case 1:  // integer
          load.SetInteger(i, cursor.AsInt64(i));
          break;
        case 2:  // float
          load.SetFloat(i, cursor.AsDouble(i));
          break;
        case 3:
        case 4: {
          const std::string_view text = cursor.AsText(i);
          TDateTime date = 0;
          // An empty text stays NULL, as Oracle has none.
          if (text.empty()) break;
          if (isDate[static_cast<size_t>(i)] && SqlTextToDateTime(text, date))
            load.SetFloat(i, date);
          else
            load.SetText(i, text);
          break;
        }
        default:
          break;
      }
    }
  }
}

}  // namespace

TFieldType OraFieldType(TOraDataType type) {
  switch (type) {
    case TOraDataType::FixedChar:
      return ftFixedChar;
    case TOraDataType::Integer:
      return ftInteger;
    case TOraDataType::Largeint:
      return ftLargeint;
    case TOraDataType::Float:
      return ftFloat;
    case TOraDataType::Date:
      return ftDateTime;
    case TOraDataType::Memo:
      return ftMemo;
    case TOraDataType::Blob:
      return ftBlob;
    default:
      return ftString;
  }
}

// ---------------------------------------------------------------------------------------------

void TOraDataSet::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FSQL = TStringList::Create();
  FParams = TOraParams::Create();
  FMacros = TMacros::Create();
  FSQLRefresh = TStringList::Create();
  FSQLUpdate = TStringList::Create();
  FSQL->OnChange = TNotifyEvent(this, &TOraDataSet::SQLChanged);
}

void TOraDataSet::Destroy() {
  SetSession(nullptr);
  inherited::Destroy();
  FreeAndNil(FSQL);
  FreeAndNil(FParams);
  FreeAndNil(FMacros);
  FreeAndNil(FSQLRefresh);
  FreeAndNil(FSQLUpdate);
}

void TOraDataSet::SetSession(TOraSession* session) {
  if (session == FSession) return;
  if (FSession) {
    FSession->RemoveDataSet(this);
    FSession->RemoveFreeNotification(this);
  }
  FSession = session;
  FPrepared = false;
  if (FSession) {
    FSession->AddDataSet(this);
    FSession->FreeNotification(this);
  }
}

void TOraDataSet::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FSession) FSession = nullptr;
}

TOraConnection& TOraDataSet::Connection() { return UsableSession(FSession, this)->Connection(); }

void TOraDataSet::SQLChanged(TObject*) {
  FPrepared = false;
  const String text = FSQL->Text();
  FMacros->Rebuild(SqlMacroNames(text));
  FParams->Rebuild(SqlParamNames(text));
  SyncMasterParams();
}

std::vector<String> TOraDataSet::TextParamNames() const {
  return SqlParamNames(FMacros->Expand(FSQL->Text()));
}

void TOraDataSet::SyncMasterParams() {
  for (const String& name : SplitFieldNames(MasterFields()))
    if (!FParams->FindParam(name)) FParams->CreateParam(ftUnknown, name, ptInput);
}

TOraParams* TOraDataSet::Params() {
  SyncMasterParams();
  return FParams;
}

bool TOraDataSet::IsPLSQL() const { return IsPLSQLText(FSQL->Text()); }

void TOraDataSet::SetFilterSQL(const String& condition) {
  if (condition == FFilterSQL) return;
  FFilterSQL = condition;
  FPrepared = false;
  if (Active()) {
    Close();
    Open();
  }
}

String TOraDataSet::FinalSQL() {
  EnsureSQL();
  String sql = FMacros->Expand(FSQL->Text());
  if (IsPLSQLText(sql)) return sql;
  String condition = Trim(FFilterSQL);
  const std::vector<String> used = SqlParamNames(sql);
  const std::vector<String> masters = SplitFieldNames(MasterFields());
  const std::vector<String> details = SplitFieldNames(DetailFields());
  for (size_t i = 0; i < masters.size() && i < details.size(); ++i) {
    const bool inText = std::any_of(used.begin(), used.end(),
                                    [&](const String& name) { return SameText(name, masters[i]); });
    if (inText) continue;
    condition += (condition.empty() ? "" : " AND ") + details[i] + " = :" + masters[i];
  }
  if (!condition.empty()) sql = AddSqlCondition(sql, condition);
  return sql;
}

void TOraDataSet::Prepare() {
  Connection().CheckStatement(FinalSQL());
  FPrepared = true;
}

void TOraDataSet::ApplyMasterValues(const std::vector<TMasterValue>& values) {
  for (const TMasterValue& value : values)
    Params()->ParamByName(value.MasterField)->SetValue(value.Value);
}

void TOraDataSet::LoadData(TDataLoad& load) {
  const String sql = FinalSQL();
  TOraConnection& connection = Connection();
  TOraBinds binds = Params()->Binds();
  if (!IsPLSQLText(sql)) {
    std::unique_ptr<TOraCursor> cursor = connection.OpenQuery(sql, binds);
    FetchRows(*cursor, load);
    return;
  }
  connection.Execute(sql, binds);
  FParams->ReadBack(binds);
  const auto withCursor = std::find_if(binds.begin(), binds.end(),
                                       [](const TOraBind& bind) { return bind.Cursor != nullptr; });
  if (withCursor == binds.end()) DatabaseError("The statement returns no rows", this);
  FetchRows(*withCursor->Cursor, load);
}

void TOraDataSet::ExecSQL() {
  const String sql = FinalSQL();
  if (!IsPLSQLText(sql) && ReturnsRows(sql)) {
    Close();
    Open();
    return;
  }
  TOraBinds binds = Params()->Binds();
  FRowsAffected = Connection().Execute(sql, binds);
  FParams->ReadBack(binds);
}

// ---------------------------------------------------------------------------------------------

void TOraStoredProc::SetStoredProcName(const String& name) {
  if (name == FStoredProcName) return;
  CheckInactive();
  FStoredProcName = name;
  SQL()->Clear();
  Params()->Clear();
}

void TOraStoredProc::EnsureSQL() {
  if (Trim(SQL()->Text()).empty()) PrepareSQL();
}

void TOraStoredProc::PrepareSQL() {
  if (Trim(FStoredProcName).empty()) DatabaseError("No stored procedure name", this);
  const TOraConnection::TRoutineInfo routine =
      UsableSession(Session(), this)->Connection().DescribeRoutine(FStoredProcName);
  FreeOnExit<TOraParams> previous(TOraParams::Create());
  previous->Assign(Params());
  String call;
  for (const TOraConnection::TArgument& arg : routine.Args)
    call += (call.empty() ? ":" : ", :") + arg.Name;
  call = Trim(FStoredProcName) + (call.empty() ? "" : "(" + call + ")");
  SQL()->SetText(routine.IsFunction ? "begin\n  :RESULT := " + call + ";\nend;"
                                    : "begin\n  " + call + ";\nend;");
  Params()->Clear();
  auto add = [&](const String& name, const String& type, TParamType direction) {
    const TOraTypeInfo info = OracleTypeInfo(type);
    const bool cursor = SameText(type, "SYS_REFCURSOR") || SameText(type, "REF CURSOR");
    TOraParam* param =
        Params()->CreateParam(cursor ? ftCursor : OraFieldType(info.Type), name, direction);
    if (const TOraParam* old = previous->FindParam(name)) param->SetValue(old->Value());
  };
  if (routine.IsFunction) add("RESULT", routine.ResultType, ptOutput);
  for (const TOraConnection::TArgument& arg : routine.Args)
    add(arg.Name, arg.DataType,
        arg.Direction == TOraParamDirection::Output        ? ptOutput
        : arg.Direction == TOraParamDirection::InputOutput ? ptInputOutput
                                                           : ptInput);
}
