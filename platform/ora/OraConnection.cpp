#include "platform/ora/OraConnection.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/ora/OraBlock.h"
#include "platform/ora/OraFunctions.h"
#include "platform/ora/SqlText.h"
#include "platform/ora/SqlTokens.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

const char* const kFaultNames[4] = {"statement", "routine call", "commit", "schema file open"};

bool SameName(std::string_view a, std::string_view b) { return SameText(String(a), String(b)); }

String Upper(const String& text) { return UpperCase(Trim(text)); }

std::vector<String> SplitName(const String& name) {
  std::vector<String> parts;
  size_t start = 0;
  for (size_t dot = name.find('.');; dot = name.find('.', start)) {
    parts.push_back(Upper(name.substr(start, dot == String::npos ? String::npos : dot - start)));
    if (dot == String::npos) break;
    start = dot + 1;
  }
  return parts;
}

String Quoted(const String& name) { return "\"" + name + "\""; }

// A column of the current row as text, "" for NULL.
String ColumnText(sqlite3_stmt* statement, int column) {
  const unsigned char* value = sqlite3_column_text(statement, column);
  return value ? String(reinterpret_cast<const char*>(value)) : String();
}

void BindVariant(sqlite3_stmt* statement, int index, const Variant& value) {
  if (VarIsArray(value)) throw EDatabaseError("An array cannot be bound as a parameter value");
  const TVarType type = VarType(value) & varTypeMask;
  int rc = SQLITE_OK;
  if (VarIsClear(value) || VarIsNull(value)) {
    rc = sqlite3_bind_null(statement, index);
  } else if (type == varBoolean) {
    rc = sqlite3_bind_int(statement, index, value.AsBoolean() ? 1 : 0);
  } else if (VarIsOrdinal(value)) {
    rc = sqlite3_bind_int64(statement, index, value.AsInt64());
  } else if (type == varDate) {
    const String text = DateTimeToSqlText(value.AsDateTime());
    rc = sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                           SQLITE_TRANSIENT);
  } else if (VarIsFloat(value)) {
    rc = sqlite3_bind_double(statement, index, value.AsDouble());
  } else {
    const String text = value.AsString();
    rc = text.empty() ? sqlite3_bind_null(statement, index)
                      : sqlite3_bind_text(statement, index, text.data(),
                                          static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) throw EDatabaseError(sqlite3_errstr(rc));
}

// A value as a variant of the kind its Oracle type makes it: texts stay texts, numbers numbers,
// dates date variants; an empty text is NULL.
Variant ToVariant(sqlite3_value* value, const TOraTypeInfo& info) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: {
      const int64_t number = sqlite3_value_int64(value);
      if (info.Type == TOraDataType::Date) return VarFromDateTime(static_cast<double>(number));
      if (info.Type == TOraDataType::String || info.Type == TOraDataType::FixedChar ||
          info.Type == TOraDataType::Memo)
        return Variant(std::to_string(number));
      if (number >= INT32_MIN && number <= INT32_MAX) return Variant(static_cast<int>(number));
      return Variant(static_cast<long long>(number));
    }
    case SQLITE_FLOAT: {
      const double number = sqlite3_value_double(value);
      if (info.Type == TOraDataType::Date) return VarFromDateTime(number);
      if (info.Type == TOraDataType::String || info.Type == TOraDataType::FixedChar ||
          info.Type == TOraDataType::Memo)
        return Variant(OracleNumberText(number));
      return Variant(number);
    }
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
      const String text(reinterpret_cast<const char*>(sqlite3_value_blob(value)),
                        static_cast<size_t>(sqlite3_value_bytes(value)));
      if (text.empty()) return Null();
      TDateTime date = 0;
      if (info.Type == TOraDataType::Date && SqlTextToDateTime(text, date))
        return VarFromDateTime(date);
      if (sqlite3_value_type(value) == SQLITE_BLOB) return VarAsString8(text);
      return Variant(text);
    }
    default:
      return Null();
  }
}

void ResultVariant(sqlite3_context* ctx, const Variant& value) {
  if (VarIsArray(value)) throw EDatabaseError("A routine returned an array");
  const TVarType type = VarType(value) & varTypeMask;
  if (VarIsClear(value) || VarIsNull(value)) return sqlite3_result_null(ctx);
  if (type == varBoolean) return sqlite3_result_int(ctx, value.AsBoolean() ? 1 : 0);
  if (VarIsOrdinal(value)) return sqlite3_result_int64(ctx, value.AsInt64());
  if (VarIsFloat(value)) return sqlite3_result_double(ctx, value.AsDouble());
  const String text = type == varDate ? DateTimeToSqlText(value.AsDateTime()) : value.AsString();
  if (text.empty()) return sqlite3_result_null(ctx);
  sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Statements of a routine body, split at ";" outside literals, comments and parentheses.
std::vector<String> SplitStatements(const String& body) {
  TSqlTokens t(body);
  std::vector<String> statements;
  for (const TTokenRange& range : SplitTokens(t, 0, t.Count() - 1, 0, ';'))
    if (range.First >= 0) statements.emplace_back(t.Span(range.First, range.Last));
  return statements;
}

TOraBind* FindBind(TOraBinds& binds, std::string_view name) {
  for (TOraBind& bind : binds)
    if (SameName(bind.Name, name)) return &bind;
  return nullptr;
}

TOraBind& BindByName(TOraBinds& binds, std::string_view name) {
  if (TOraBind* bind = FindBind(binds, name)) return *bind;
  throw EDatabaseError("Parameter " + String(name) + " not found");
}

// Finalizes a statement when the scope ends, unless it was handed on.
class TStatementGuard {
 public:
  explicit TStatementGuard(sqlite3_stmt* statement) : FStatement(statement) {}
  ~TStatementGuard() { sqlite3_finalize(FStatement); }
  sqlite3_stmt* Release() { return std::exchange(FStatement, nullptr); }
  TStatementGuard(const TStatementGuard&) = delete;
  TStatementGuard& operator=(const TStatementGuard&) = delete;

 private:
  sqlite3_stmt* FStatement;
};

}  // namespace

// ---------------------------------------------------------------------------------------------

void TOraFaults::Arm(TOraFault kind, int nth, const String& message) {
  FArmed[static_cast<int>(kind)] = {nth, message};
}

void TOraFaults::DisarmAll() {
  for (TArmed& armed : FArmed) armed = {};
}

void TOraFaults::Hit(TOraFault kind) {
  TArmed& armed = FArmed[static_cast<int>(kind)];
  if (armed.Countdown <= 0 || --armed.Countdown > 0) return;
  const String message = armed.Message.empty()
                             ? String("Injected fault: ") + kFaultNames[static_cast<int>(kind)]
                             : armed.Message;
  armed.Message.clear();
  throw EDatabaseError(message);
}

// ---------------------------------------------------------------------------------------------

struct TOraConnection::TRoutine {
  String Schema;
  String Package;
  String Name;
  TNativeRoutine Native;
  TRoutineInfo Info;
  String Body;

  [[noreturn]] void WrongArguments() const {
    throw EDatabaseError("PLS-00306: wrong number or types of arguments in call to '" + FullName() +
                         "'");
  }

  String FullName() const { return Schema + "." + (Package.empty() ? "" : Package + ".") + Name; }
  bool IsCursor() const {
    return SameText(Info.ResultType, "SYS_REFCURSOR") || SameText(Info.ResultType, "REF CURSOR");
  }
};

TOraCursor::TOraCursor(TOraConnection* connection, sqlite3_stmt* statement,
                       const String& describedText)
    : FStatement(statement) {
  const int rc = sqlite3_step(FStatement);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
    const String message = sqlite3_errmsg(sqlite3_db_handle(FStatement));
    sqlite3_finalize(FStatement);
    throw EDatabaseError(message);
  }
  FPendingRow = rc == SQLITE_ROW;
  FDone = rc == SQLITE_DONE;
  const int count = sqlite3_column_count(FStatement);
  std::vector<String> used;
  for (int i = 0; i < count; ++i) {
    TOraColumn column;
    const String base = UpperCase(sqlite3_column_name(FStatement, i));
    column.Name = base;
    for (int n = 1; std::find(used.begin(), used.end(), column.Name) != used.end(); ++n)
      column.Name = base + "_" + std::to_string(n);
    used.push_back(column.Name);
    const char* declared = sqlite3_column_decltype(FStatement, i);
    column.DeclaredType = declared ? declared : connection->ResolveColumnType(base, describedText);
    column.Info = OracleTypeInfo(column.DeclaredType);
    if (column.Info.Type == TOraDataType::Unknown) {
      // Nothing declares the type: the first row tells, as far as it can.
      TDateTime date = 0;
      switch (FPendingRow ? TypeOf(i) : SQLITE_NULL) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
          column.DeclaredType = "NUMBER";
          break;
        case SQLITE_BLOB:
          column.DeclaredType = "BLOB";
          break;
        case SQLITE_TEXT:
          column.DeclaredType = SqlTextToDateTime(AsText(i), date) ? "DATE" : "VARCHAR2";
          break;
        default:
          column.DeclaredType = "VARCHAR2";
      }
      column.Info = OracleTypeInfo(column.DeclaredType);
    }
    FColumns.push_back(std::move(column));
  }
}

TOraCursor::~TOraCursor() { sqlite3_finalize(FStatement); }

bool TOraCursor::Next() {
  if (FPendingRow) {
    FPendingRow = false;
    return true;
  }
  if (FDone) return false;
  const int rc = sqlite3_step(FStatement);
  if (rc == SQLITE_ROW) return true;
  FDone = true;
  if (rc != SQLITE_DONE) throw EDatabaseError(sqlite3_errmsg(sqlite3_db_handle(FStatement)));
  return false;
}

int TOraCursor::StorageTypeOf(int column) const { return sqlite3_column_type(FStatement, column); }

int TOraCursor::TypeOf(int column) const {
  const int type = sqlite3_column_type(FStatement, column);
  if (type == SQLITE_TEXT && sqlite3_column_bytes(FStatement, column) == 0) return SQLITE_NULL;
  return type;
}

int64_t TOraCursor::AsInt64(int column) const { return sqlite3_column_int64(FStatement, column); }

double TOraCursor::AsDouble(int column) const { return sqlite3_column_double(FStatement, column); }

std::string_view TOraCursor::AsText(int column) const {
  const void* data = sqlite3_column_blob(FStatement, column);
  return {static_cast<const char*>(data),
          static_cast<size_t>(sqlite3_column_bytes(FStatement, column))};
}

Variant TOraCursor::Value(int column) const {
  return ToVariant(sqlite3_column_value(FStatement, column),
                   FColumns[static_cast<size_t>(column)].Info);
}

// ---------------------------------------------------------------------------------------------

TOraConnection::TOraConnection(const String& folder, const String& defaultSchema,
                               std::shared_ptr<TOraFaults> faults)
    : FFolder(folder),
      FDefaultSchema(Upper(defaultSchema)),
      FFaults(faults ? std::move(faults) : std::make_shared<TOraFaults>()) {
  if (Trim(folder).empty()) throw EDatabaseError("The database folder (Server) is not set");
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error))
    throw EDatabaseError("Database folder \"" + folder + "\" not found");
  if (FFolder.back() != '/') FFolder += '/';
  if (sqlite3_open_v2(":memory:", &FDb,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    const String message = FDb ? sqlite3_errmsg(FDb) : "out of memory";
    sqlite3_close_v2(FDb);
    throw EDatabaseError("Cannot open the database engine: " + message);
  }
  try {
    sqlite3_busy_timeout(FDb, 5000);
    RegisterOracleFunctions(FDb);
    if (sqlite3_create_function(FDb, "ORA_CALL", -1, SQLITE_UTF8, this,
                                &TOraConnection::CallFromSql, nullptr, nullptr) != SQLITE_OK)
      RaiseError();
    // Oracle compares texts with LIKE letter case and all; so does the adapted text.
    Run("PRAGMA case_sensitive_like = ON");
    Run("CREATE TEMP VIEW DUAL AS SELECT 'X' AS DUMMY");
    if (IsSchemaName(FDefaultSchema) && SchemaFileExists(FDefaultSchema))
      AttachSchema(FDefaultSchema);
  } catch (...) {
    sqlite3_close_v2(FDb);
    throw;
  }
}

TOraConnection::~TOraConnection() { sqlite3_close_v2(FDb); }

void TOraConnection::RaiseError(const String& context) const {
  const String message = sqlite3_errmsg(FDb);
  throw EDatabaseError(context.empty() ? message : context + ": " + message);
}

sqlite3_stmt* TOraConnection::Prepare(const String& sql) {
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.data(), static_cast<int>(sql.size()), &statement, &tail) !=
      SQLITE_OK)
    RaiseError();
  if (!statement) throw EDatabaseError("The statement is empty");
  // A second statement after the first would be dropped without a word; refuse it instead.
  const String rest(tail, static_cast<size_t>(sql.data() + sql.size() - tail));
  TSqlTokens t(rest);
  for (int i = t.NextSig(-1); i < t.Count(); i = t.NextSig(i))
    if (!t.IsSym(i, ';')) {
      sqlite3_finalize(statement);
      throw EDatabaseError("Only one statement can run at a time: " + Trim(rest));
    }
  return statement;
}

void TOraConnection::Run(const String& sql) {
  sqlite3_stmt* statement = Prepare(sql);
  TStatementGuard guard(statement);
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) RaiseError();
}

String TOraConnection::SchemaPath(const String& name) const {
  return FFolder + Upper(name) + ".db";
}

bool TOraConnection::SchemaFileExists(const String& name) const {
  std::error_code error;
  return std::filesystem::is_regular_file(SchemaPath(name), error);
}

bool TOraConnection::IsAttached(const String& name) const {
  return FAttached.count(Upper(name)) != 0;
}

void TOraConnection::AttachSchema(const String& name) {
  CheckSchemaName(name);
  const String schema = Upper(name);
  if (FAttached.count(schema)) return;
  FFaults->Hit(TOraFault::FileOpen);
  const String path = SchemaPath(schema);
  if (!SchemaFileExists(schema))
    throw EDatabaseError("Schema " + schema + ": database file \"" + path + "\" not found");
  {
    sqlite3_stmt* statement = Prepare("ATTACH DATABASE ?1 AS " + Quoted(schema));
    TStatementGuard guard(statement);
    sqlite3_bind_text(statement, 1, path.data(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(statement) != SQLITE_DONE)
      RaiseError("Schema " + schema + ": cannot open \"" + path + "\"");
  }
  try {
    Run("SELECT count(*) FROM " + Quoted(schema) + ".sqlite_master");
    static const char* const catalog[] = {
        "ORA_ROUTINES (PACKAGE_NAME TEXT NOT NULL DEFAULT '', ROUTINE_NAME TEXT NOT NULL, "
        "ROUTINE_KIND TEXT NOT NULL, "
        "RESULT_TYPE TEXT, BODY TEXT NOT NULL, PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME))",
        "ORA_ROUTINE_ARGS (PACKAGE_NAME TEXT NOT NULL DEFAULT '', ROUTINE_NAME TEXT NOT NULL, "
        "POSITION INTEGER NOT NULL, "
        "ARG_NAME TEXT NOT NULL, DIRECTION TEXT NOT NULL DEFAULT 'IN', DATA_TYPE TEXT NOT NULL, "
        "PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME, POSITION))",
        "ORA_PACKAGE_VARS (PACKAGE_NAME TEXT NOT NULL, VAR_NAME TEXT NOT NULL, DATA_TYPE TEXT NOT "
        "NULL, VALUE, "
        "PRIMARY KEY (PACKAGE_NAME, VAR_NAME))"};
    for (const char* table : catalog) {
      const String sql = "CREATE TABLE IF NOT EXISTS " + Quoted(schema) + "." + table;
      sqlite3_stmt* statement = Prepare(sql);
      TStatementGuard guard(statement);
      const int rc = sqlite3_step(statement);
      // A read-only schema simply goes without the tables it lacks.
      if (rc != SQLITE_DONE && rc != SQLITE_READONLY) RaiseError();
    }
  } catch (const EDatabaseError& error) {
    sqlite3_exec(FDb, ("DETACH DATABASE " + Quoted(schema)).c_str(), nullptr, nullptr, nullptr);
    throw EDatabaseError("Schema " + schema + ": cannot open \"" + path + "\": " + error.Message());
  }
  FAttached.insert(schema);
}

void TOraConnection::AttachNamedSchemas(const std::vector<String>& heads) {
  for (const String& head : heads)
    if (!FAttached.count(head) && IsSchemaName(head) && SchemaFileExists(head)) AttachSchema(head);
}

void TOraConnection::BindAll(sqlite3_stmt* statement, const TAdaptedSql& adapted,
                             const TOraBinds& binds) {
  for (size_t i = 0; i < adapted.ParamNames.size(); ++i) {
    const auto found = std::find_if(binds.begin(), binds.end(), [&](const TOraBind& bind) {
      return SameName(bind.Name, adapted.ParamNames[i]);
    });
    if (found == binds.end())
      throw EDatabaseError("Parameter " + adapted.ParamNames[i] + " not found");
    BindVariant(statement, static_cast<int>(i + 1), found->Value);
  }
}

void TOraConnection::CheckStatement(const String& sql) {
  if (IsPLSQLText(sql)) {
    for (const TPlsqlStatement& statement : ParsePlsqlBlock(sql))
      if (statement.Kind == TPlsqlStatement::TKind::Call || statement.HasArgs)
        ResolveRoutine(statement.Routine);
    return;
  }
  const TAdaptedSql adapted = AdaptOracleSql(sql);
  AttachNamedSchemas(adapted.NameHeads);
  sqlite3_finalize(Prepare(adapted.Text));
}

std::unique_ptr<TOraCursor> TOraConnection::OpenQuery(const String& sql, const TOraBinds& binds) {
  FFaults->Hit(TOraFault::Statement);
  const TAdaptedSql adapted = AdaptOracleSql(sql);
  AttachNamedSchemas(adapted.NameHeads);
  sqlite3_stmt* statement = Prepare(adapted.Text);
  TStatementGuard guard(statement);
  if (sqlite3_column_count(statement) == 0) throw EDatabaseError("The statement returns no rows");
  BindAll(statement, adapted, binds);
  return std::unique_ptr<TOraCursor>(new TOraCursor(this, guard.Release(), sql));
}

// ---------------------------------------------------------------------------------------------
// PL/SQL blocks.

struct TOraConnection::TBlockRunner {
  TOraConnection& Connection;
  TOraBinds& Binds;

  void Run(const TPlsqlStatement& statement) {
    switch (statement.Kind) {
      case TPlsqlStatement::TKind::Null:
        return;
      case TPlsqlStatement::TKind::Call: {
        const TRoutine routine = Connection.ResolveRoutine(statement.Routine);
        Call(routine, statement, nullptr);
        return;
      }
      case TPlsqlStatement::TKind::Assign:
        Assign(statement);
        return;
    }
  }

  void Assign(const TPlsqlStatement& statement) {
    TOraBind& target = BindByName(Binds, statement.Target);
    if (!statement.Routine.empty()) {
      TRoutine routine;
      if (Connection.TryResolveRoutine(statement.Routine, routine)) {
        if (routine.Native == nullptr && !routine.Info.IsFunction)
          throw EDatabaseError("PLS-00222: " + routine.FullName() +
                               " is a procedure, not a function");
        target.Value = Call(routine, statement, routine.IsCursor() ? &target.Cursor : nullptr);
        return;
      }
      if (!statement.HasArgs && Connection.TryPackageVariable(statement.Routine, target.Value))
        return;
    }
    target.Value = Evaluate({statement.Expression}).front();
  }

  Variant Call(const TRoutine& routine, const TPlsqlStatement& statement,
               std::shared_ptr<TOraCursor>* cursor) {
    const bool described = routine.Native == nullptr;
    std::vector<Variant> args(described ? routine.Info.Args.size() : statement.Args.size());
    std::vector<int> positions;
    std::vector<String> expressions;
    std::vector<int> evaluated;
    for (size_t i = 0; i < statement.Args.size(); ++i) {
      const TPlsqlArg& arg = statement.Args[i];
      int position = static_cast<int>(i);
      if (!arg.Name.empty()) {
        const auto& declared = routine.Info.Args;
        const auto found = std::find_if(declared.begin(), declared.end(), [&](const TArgument& a) {
          return SameName(a.Name, arg.Name);
        });
        if (!described || found == declared.end()) routine.WrongArguments();
        position = static_cast<int>(found - declared.begin());
      }
      if (position >= static_cast<int>(args.size())) routine.WrongArguments();
      positions.push_back(position);
      if (!arg.Param.empty()) {
        args[static_cast<size_t>(position)] = BindByName(Binds, arg.Param).Value;
      } else {
        expressions.push_back(arg.Expression);
        evaluated.push_back(position);
      }
    }
    if (!expressions.empty()) {
      std::vector<Variant> values = Evaluate(expressions);
      for (size_t k = 0; k < values.size(); ++k)
        args[static_cast<size_t>(evaluated[k])] = std::move(values[k]);
    }
    Variant result = Connection.Invoke(routine, args, cursor);
    for (size_t i = 0; i < statement.Args.size(); ++i) {
      const TPlsqlArg& arg = statement.Args[i];
      if (arg.Param.empty()) continue;
      const size_t position = static_cast<size_t>(positions[i]);
      TOraBind& bind = BindByName(Binds, arg.Param);
      const bool output = described
                              ? routine.Info.Args[position].Direction != TOraParamDirection::Input
                              : bind.Direction != TOraParamDirection::Input;
      if (output) bind.Value = args[position];
    }
    return result;
  }

  // Values of SQL expressions, read in one SELECT with the block's bind variables.
  std::vector<Variant> Evaluate(const std::vector<String>& expressions) {
    String sql = "SELECT ";
    for (size_t i = 0; i < expressions.size(); ++i) sql += (i ? ", " : "") + expressions[i];
    std::unique_ptr<TOraCursor> cursor = Connection.OpenQuery(sql + " FROM DUAL", Binds);
    std::vector<Variant> values;
    cursor->Next();
    for (int i = 0; i < cursor->ColumnCount(); ++i) values.push_back(cursor->Value(i));
    return values;
  }
};

int64_t TOraConnection::Execute(const String& sql, TOraBinds& binds) {
  if (IsPLSQLText(sql)) {
    FFaults->Hit(TOraFault::Statement);
    const std::vector<TPlsqlStatement> statements = ParsePlsqlBlock(sql);
    RunInSavepoint([&] {
      TBlockRunner runner{*this, binds};
      for (const TPlsqlStatement& statement : statements) runner.Run(statement);
    });
    return 0;
  }
  FFaults->Hit(TOraFault::Statement);
  const TAdaptedSql adapted = AdaptOracleSql(sql);
  AttachNamedSchemas(adapted.NameHeads);
  sqlite3_stmt* statement = Prepare(adapted.Text);
  TStatementGuard guard(statement);
  BindAll(statement, adapted, binds);
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) RaiseError();
  return sqlite3_changes64(FDb);
}

void TOraConnection::RunInSavepoint(const std::function<void()>& work) {
  const String name = "ORA_CALL_" + std::to_string(++FSavepoints);
  Finally leave([&] { --FSavepoints; });
  Run("SAVEPOINT " + name);
  try {
    work();
  } catch (...) {
    sqlite3_exec(FDb, ("ROLLBACK TO " + name).c_str(), nullptr, nullptr, nullptr);
    sqlite3_exec(FDb, ("RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
    throw;
  }
  Run("RELEASE " + name);
}

// ---------------------------------------------------------------------------------------------
// Routines.

void TOraConnection::RegisterRoutine(const String& qualifiedName, TNativeRoutine routine) {
  FNative[UpperCase(qualifiedName)] = std::move(routine);
}

void TOraConnection::UnregisterRoutine(const String& qualifiedName) {
  FNative.erase(UpperCase(qualifiedName));
}

bool TOraConnection::FindRoutine(const String& schema, const String& package, const String& name,
                                 TRoutine& routine) {
  routine = TRoutine{schema, package, name, nullptr, {}, String()};
  for (const String& key : {schema + "." + package + "." + name, package + "." + name}) {
    const auto native = FNative.find(key);
    if (native != FNative.end()) {
      routine.Native = native->second;
      routine.Info.IsFunction = true;
      return true;
    }
  }
  if (!IsSchemaName(schema)) return false;
  if (!FAttached.count(schema)) {
    if (!SchemaFileExists(schema)) return false;
    AttachSchema(schema);
  }
  sqlite3_stmt* statement = nullptr;
  const String head =
      "SELECT ROUTINE_KIND, RESULT_TYPE, BODY FROM " + Quoted(schema) +
      ".ORA_ROUTINES WHERE PACKAGE_NAME = ?1 COLLATE NOCASE AND ROUTINE_NAME = ?2 COLLATE NOCASE";
  if (sqlite3_prepare_v2(FDb, head.c_str(), -1, &statement, nullptr) != SQLITE_OK) return false;
  {
    TStatementGuard guard(statement);
    sqlite3_bind_text(statement, 1, package.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(statement) != SQLITE_ROW) return false;
    routine.Info.IsFunction = SameText(Trim(ColumnText(statement, 0)), "FUNCTION");
    routine.Info.ResultType = Trim(ColumnText(statement, 1));
    routine.Body = ColumnText(statement, 2);
  }
  const String args = "SELECT ARG_NAME, DIRECTION, DATA_TYPE FROM " + Quoted(schema) +
                      ".ORA_ROUTINE_ARGS WHERE PACKAGE_NAME = ?1 COLLATE NOCASE AND ROUTINE_NAME = "
                      "?2 COLLATE NOCASE ORDER BY POSITION";
  if (sqlite3_prepare_v2(FDb, args.c_str(), -1, &statement, nullptr) != SQLITE_OK) return true;
  TStatementGuard guard(statement);
  sqlite3_bind_text(statement, 1, package.c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(statement, 2, name.c_str(), -1, SQLITE_TRANSIENT);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const String direction = Upper(ColumnText(statement, 1));
    routine.Info.Args.push_back({Upper(ColumnText(statement, 0)),
                                 direction == "OUT"      ? TOraParamDirection::Output
                                 : direction == "IN OUT" ? TOraParamDirection::InputOutput
                                                         : TOraParamDirection::Input,
                                 Trim(ColumnText(statement, 2))});
  }
  return true;
}

// The parts of a routine or package name: identifiers, the first of three a schema. Anything
// else is refused before it can reach a statement.
static std::vector<String> CheckedNameParts(const String& name) {
  std::vector<String> parts = SplitName(name);
  if (parts.size() > 3 || !std::all_of(parts.begin(), parts.end(), IsSchemaName))
    throw EDatabaseError("Invalid name \"" + name +
                         "\": only letters, digits, \"_\", \"$\" and \"#\" are allowed");
  return parts;
}

bool TOraConnection::TryResolveRoutine(const String& name, TRoutine& routine) {
  const std::vector<String> parts = CheckedNameParts(name);
  if (parts.size() == 3) return FindRoutine(parts[0], parts[1], parts[2], routine);
  if (parts.size() == 2)
    return FindRoutine(FDefaultSchema, parts[0], parts[1], routine) ||
           FindRoutine(parts[0], String(), parts[1], routine);
  if (parts.size() == 1) return FindRoutine(FDefaultSchema, String(), parts[0], routine);
  return false;
}

TOraConnection::TRoutine TOraConnection::ResolveRoutine(const String& name) {
  TRoutine routine;
  if (!TryResolveRoutine(name, routine))
    throw EDatabaseError("PLS-00201: identifier '" + UpperCase(name) + "' must be declared");
  return routine;
}

Variant TOraConnection::Invoke(const TRoutine& routine, std::vector<Variant>& args,
                               std::shared_ptr<TOraCursor>* cursor) {
  FFaults->Hit(TOraFault::RoutineCall);
  if (routine.Native) {
    if (cursor) throw EDatabaseError(routine.FullName() + ": a C++ routine returns no cursor");
    return routine.Native(args);
  }
  const std::vector<TArgument>& declared = routine.Info.Args;
  for (size_t i = 0; i < declared.size() && i < args.size(); ++i)
    if (declared[i].Direction == TOraParamDirection::Output) args[i] = Null();
  const String body =
      ExpandSqlMacros(routine.Body, [&](std::string_view macro) -> std::optional<String> {
        if (SameName(macro, "OWNER")) return routine.Schema;
        return std::nullopt;
      });
  const std::vector<String> statements = SplitStatements(body);
  Variant result = Null();
  for (size_t s = 0; s < statements.size(); ++s) {
    FFaults->Hit(TOraFault::Statement);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(FDb, statements[s].c_str(), -1, &statement, nullptr) != SQLITE_OK)
      RaiseError(routine.FullName());
    TStatementGuard guard(statement);
    for (int p = 1; p <= sqlite3_bind_parameter_count(statement); ++p) {
      const char* raw = sqlite3_bind_parameter_name(statement, p);
      const String name = raw ? String(raw + 1) : String();
      const auto found = std::find_if(declared.begin(), declared.end(),
                                      [&](const TArgument& a) { return SameName(a.Name, name); });
      if (found == declared.end())
        throw EDatabaseError(routine.FullName() + ": unknown argument :" + name);
      const size_t index = static_cast<size_t>(found - declared.begin());
      BindVariant(statement, p, index < args.size() ? args[index] : Null());
    }
    const bool last = s + 1 == statements.size();
    if (last && cursor) {
      *cursor = std::shared_ptr<TOraCursor>(new TOraCursor(this, guard.Release(), statements[s]));
      return Null();
    }
    int rc = sqlite3_step(statement);
    if (last && rc == SQLITE_ROW) {
      if (routine.Info.IsFunction) {
        result =
            ToVariant(sqlite3_column_value(statement, 0), OracleTypeInfo(routine.Info.ResultType));
      } else {
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
          for (size_t a = 0; a < declared.size() && a < args.size(); ++a)
            if (declared[a].Direction != TOraParamDirection::Input &&
                SameName(declared[a].Name, sqlite3_column_name(statement, c)))
              args[a] = ToVariant(sqlite3_column_value(statement, c),
                                  OracleTypeInfo(declared[a].DataType));
      }
      continue;
    }
    while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
    // The routine's own message (RAISE_APPLICATION_ERROR) reaches the caller as it is.
    if (rc != SQLITE_DONE) RaiseError();
  }
  if (cursor)
    throw EDatabaseError(routine.FullName() + ": the routine has no statement to return a cursor");
  return result;
}

void TOraConnection::CallFromSql(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  auto* self = static_cast<TOraConnection*>(sqlite3_user_data(ctx));
  try {
    const char* name = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const TRoutine routine = self->ResolveRoutine(name ? name : "");
    if (!routine.Info.IsFunction)
      throw EDatabaseError("ORA-00904: " + routine.FullName() + " is a procedure, not a function");
    if (routine.IsCursor())
      throw EDatabaseError("ORA-00932: " + routine.FullName() +
                           " returns a cursor, which SQL cannot use here");
    std::vector<Variant> args;
    for (int i = 1; i < argc; ++i) {
      const size_t position = static_cast<size_t>(i - 1);
      const TOraTypeInfo info = position < routine.Info.Args.size()
                                    ? OracleTypeInfo(routine.Info.Args[position].DataType)
                                    : TOraTypeInfo{};
      args.push_back(ToVariant(argv[i], info));
    }
    if (routine.Native == nullptr && args.size() > routine.Info.Args.size())
      routine.WrongArguments();
    args.resize(std::max(args.size(), routine.Info.Args.size()));
    ResultVariant(ctx, self->Invoke(routine, args, nullptr));
  } catch (const Exception& error) {
    sqlite3_result_error(ctx, error.Message().c_str(), -1);
  } catch (const std::exception& error) {
    sqlite3_result_error(ctx, error.what(), -1);
  }
}

TOraConnection::TRoutineInfo TOraConnection::DescribeRoutine(const String& name) {
  return ResolveRoutine(name).Info;
}

Variant TOraConnection::CallFunction(const String& name, std::vector<Variant> args) {
  const TRoutine routine = ResolveRoutine(name);
  if (!routine.Native && !routine.Info.IsFunction)
    throw EDatabaseError("PLS-00222: " + routine.FullName() + " is a procedure, not a function");
  if (!routine.Native) args.resize(std::max(args.size(), routine.Info.Args.size()));
  Variant result;
  RunInSavepoint([&] { result = Invoke(routine, args, nullptr); });
  return result;
}

void TOraConnection::CallProcedure(const String& name, std::vector<Variant>& args) {
  const TRoutine routine = ResolveRoutine(name);
  if (!routine.Native) {
    if (args.size() > routine.Info.Args.size()) routine.WrongArguments();
    args.resize(routine.Info.Args.size());
  }
  RunInSavepoint([&] { Invoke(routine, args, nullptr); });
}

bool TOraConnection::TryPackageVariable(const String& qualifiedName, Variant& value) {
  std::vector<String> parts = CheckedNameParts(qualifiedName);
  if (parts.size() == 2) parts.insert(parts.begin(), FDefaultSchema);
  if (parts.size() != 3 || !IsSchemaName(parts[0])) return false;
  if (!FAttached.count(parts[0])) {
    if (!SchemaFileExists(parts[0])) return false;
    AttachSchema(parts[0]);
  }
  const String sql =
      "SELECT DATA_TYPE, VALUE FROM " + Quoted(parts[0]) +
      ".ORA_PACKAGE_VARS WHERE PACKAGE_NAME = ?1 COLLATE NOCASE AND VAR_NAME = ?2 COLLATE NOCASE";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(FDb, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return false;
  TStatementGuard guard(statement);
  sqlite3_bind_text(statement, 1, parts[1].c_str(), -1, SQLITE_TRANSIENT);
  sqlite3_bind_text(statement, 2, parts[2].c_str(), -1, SQLITE_TRANSIENT);
  if (sqlite3_step(statement) != SQLITE_ROW) return false;
  value = ToVariant(sqlite3_column_value(statement, 1), OracleTypeInfo(ColumnText(statement, 0)));
  return true;
}

Variant TOraConnection::PackageVariable(const String& package, const String& variable) {
  Variant value;
  if (!TryPackageVariable(package + "." + variable, value))
    throw EDatabaseError("Variable " + UpperCase(variable) + " is not declared in package " +
                         UpperCase(package));
  return value;
}

// ---------------------------------------------------------------------------------------------
// Column types that nothing declares: the select lists of the statement and of the views it reads.

String TOraConnection::ResolveColumnType(const String& column, const String& describedText) {
  struct TSource {
    String Text;
    String Schema;
  };
  std::vector<TSource> sources{{describedText, FDefaultSchema}};
  std::set<String> seen;
  // The statement first, then the views it names, then the views those name (three levels).
  for (size_t level = 0, begin = 0; level < 4 && begin < sources.size(); ++level) {
    const size_t end = sources.size();
    for (size_t s = begin; s < end; ++s) {
      for (const TSelectItemType& item : SelectItemTypes(sources[s].Text))
        if (item.Name == column && !item.Type.empty()) return item.Type;
      TSqlTokens t(sources[s].Text);
      for (int i = 0; i < t.Count(); ++i) {
        if (!t.IsName(i) || t.IsSym(t.PrevSig(i), '.')) continue;
        String schema = sources[s].Schema, view = t.NameAt(i);
        const int dot = t.NextSig(i);
        if (t.IsSym(dot, '.') && t.IsName(t.NextSig(dot))) {
          schema = t.NameAt(i);
          view = t.NameAt(t.NextSig(dot));
        } else if (!t.IsWord(t.PrevSig(i), "FROM") && !t.IsWord(t.PrevSig(i), "JOIN") &&
                   !t.IsSym(t.PrevSig(i), ',')) {
          continue;
        }
        if (!FAttached.count(schema) || !seen.insert(schema + "." + view).second) continue;
        const String sql = "SELECT sql FROM " + Quoted(schema) +
                           ".sqlite_master WHERE type = 'view' AND name = ?1 COLLATE NOCASE";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(FDb, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) continue;
        TStatementGuard guard(statement);
        sqlite3_bind_text(statement, 1, view.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(statement) == SQLITE_ROW)
          sources.push_back({ColumnText(statement, 0), schema});
      }
    }
    begin = end;
  }
  return String();
}

// ---------------------------------------------------------------------------------------------

void TOraConnection::StartTransaction() {
  if (InTransaction()) throw EDatabaseError("A transaction is already active");
  Run("BEGIN");
}

void TOraConnection::Commit() {
  if (!InTransaction()) return;
  FFaults->Hit(TOraFault::Commit);
  Run("COMMIT");
}

void TOraConnection::Rollback() {
  if (!InTransaction()) return;
  Run("ROLLBACK");
}

bool TOraConnection::InTransaction() const { return sqlite3_get_autocommit(FDb) == 0; }
