// The engine under a session: one SQLite connection on a database folder, where each schema is the
// file <SCHEMA>.db (name in upper case), attached under the schema's name the first time a
// statement names it. Statements arrive in Oracle's dialect and are adapted on the way
// (OraDialect.h); PL/SQL blocks of the forms the system writes run here too.
//
// Stored routines live in each schema's own catalog tables (ORA_ROUTINES, ORA_ROUTINE_ARGS,
// ORA_PACKAGE_VARS, created when missing): a routine's BODY is SQLite SQL, statements separated by
// ";", arguments as :NAME, "&OWNER." standing for the routine's schema. A FUNCTION returns the
// first column of the first row of its last statement, a SYS_REFCURSOR function the rows of its
// last statement, and a PROCEDURE's OUT arguments take the columns of the same name of the first
// row of its last statement. Routines registered in C++ take precedence over the catalog.
//
// A connection serves the one thread that uses its session, so it runs without SQLite's locking.
//
// Errors are EDatabaseError with the engine's message; a routine's own error (raised with
// RAISE_APPLICATION_ERROR or thrown by a C++ routine) reaches the caller with its message. A PL/SQL
// block is atomic, as Oracle makes a call: when it fails, its changes are undone, and a transaction
// the caller opened stays open for the caller's rollback.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/ora/OraDialect.h"
#include "platform/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

enum class TOraParamDirection { Input, Output, InputOutput, Result };

class TOraCursor;

// A bind variable of a statement or block: its value, its direction and, when a block assigned a
// cursor to it, the cursor's rows.
struct TOraBind {
  TOraBind() = default;
  TOraBind(String name, Variant value = Variant(),
           TOraParamDirection direction = TOraParamDirection::Input)
      : Name(std::move(name)), Value(std::move(value)), Direction(direction) {}

  String Name;
  Variant Value;
  TOraParamDirection Direction = TOraParamDirection::Input;
  std::shared_ptr<TOraCursor> Cursor;
};
using TOraBinds = std::vector<TOraBind>;

// A result column: its upper-case name (made unique as NAME_1, NAME_2 ... when the statement
// repeats a name), the Oracle type it was given and what that type makes of it.
struct TOraColumn {
  String Name;
  String DeclaredType;
  TOraTypeInfo Info;
};

// What can be made to fail on purpose: the N-th statement, routine call, commit or schema file
// open from the moment it is armed. Each armed fault fires once.
enum class TOraFault { Statement, RoutineCall, Commit, FileOpen };

class TOraFaults {
 public:
  // nth 1 fails the next one; the message defaults to "Injected fault: <what>".
  void Arm(TOraFault kind, int nth, const String& message = String());
  void DisarmAll();
  // Counts one event of the kind and raises EDatabaseError when it is the armed one.
  void Hit(TOraFault kind);

 private:
  struct TArmed {
    int Countdown = 0;
    String Message;
  };
  TArmed FArmed[4];
};

// A C++ routine: the arguments by position (OUT ones may be set) and, for a function, the result.
using TNativeRoutine = std::function<Variant(std::vector<Variant>& args)>;

class TOraConnection;

// The rows of an open statement. The first row is read when the cursor opens (it decides the type
// of columns that declare none), so Next() first moves onto that row.
class TOraCursor {
 public:
  ~TOraCursor();
  TOraCursor(const TOraCursor&) = delete;
  TOraCursor& operator=(const TOraCursor&) = delete;

  const std::vector<TOraColumn>& Columns() const { return FColumns; }
  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  // Moves to the next row; false after the last one.
  bool Next();

  // The current row. A NULL or an empty text is TypeOf == 5 (SQLITE_NULL); 1 integer, 2 float,
  // 3 text, 4 blob otherwise.
  int TypeOf(int column) const;
  // The same without the test for an empty text, for loops that read the text anyway.
  int StorageTypeOf(int column) const;
  int64_t AsInt64(int column) const;
  double AsDouble(int column) const;
  std::string_view AsText(int column) const;  // also the bytes of a blob
  // The value as a variant of the column's kind (dates as date variants, NULL as Null).
  Variant Value(int column) const;

 private:
  friend class TOraConnection;
  TOraCursor(TOraConnection* connection, sqlite3_stmt* statement, const String& describedText);

  sqlite3_stmt* FStatement;
  std::vector<TOraColumn> FColumns;
  bool FPendingRow = false;
  bool FDone = false;
};

class TOraConnection {
 public:
  // Opens the engine on the folder; the default schema (the user's) names unqualified routines
  // and is attached at once when its file exists.
  TOraConnection(const String& folder, const String& defaultSchema,
                 std::shared_ptr<TOraFaults> faults);
  ~TOraConnection();
  TOraConnection(const TOraConnection&) = delete;
  TOraConnection& operator=(const TOraConnection&) = delete;

  // Attaches the schema's file unless it is attached already. The name is checked first
  // (CheckSchemaName); a missing or unreadable file raises EDatabaseError.
  void AttachSchema(const String& name);
  bool IsAttached(const String& name) const;

  // Compiles a statement, or resolves the routines of a block, without running anything: a missing
  // view, column or routine is reported before the first open.
  void CheckStatement(const String& sql);
  // A query in Oracle's dialect (macros expanded): its rows.
  std::unique_ptr<TOraCursor> OpenQuery(const String& sql, const TOraBinds& binds);
  // A statement without rows, or a PL/SQL block; output variables are written back into binds.
  // The number of rows a DML statement changed (0 for a block).
  int64_t Execute(const String& sql, TOraBinds& binds);

  // "S.P.R", "S.R", "P.R" (a package of the default schema) or "R". Results and OUT values of the
  // catalog's routines take the types their definitions declare.
  Variant CallFunction(const String& name, std::vector<Variant> args);
  void CallProcedure(const String& name, std::vector<Variant>& args);
  // The arguments a routine declares, for building calls: (name, direction, Oracle type).
  struct TArgument {
    String Name;
    TOraParamDirection Direction;
    String DataType;
  };
  struct TRoutineInfo {
    bool IsFunction = false;
    String ResultType;
    std::vector<TArgument> Args;
  };
  TRoutineInfo DescribeRoutine(const String& name);
  // A package variable, "S.P" or "P" with the variable's name; a missing one raises EDatabaseError.
  Variant PackageVariable(const String& package, const String& variable);

  // Under "P.R", "S.P.R", "S..R" or ".R" (a standalone routine of any schema).
  void RegisterRoutine(const String& qualifiedName, TNativeRoutine routine);
  void UnregisterRoutine(const String& qualifiedName);

  void StartTransaction();
  // Commit and Rollback outside a transaction do nothing.
  void Commit();
  void Rollback();
  bool InTransaction() const;

 private:
  friend class TOraCursor;
  struct TRoutine;
  struct TBlockRunner;

  [[noreturn]] void RaiseError(const String& context = String()) const;
  sqlite3_stmt* Prepare(const String& sql);
  void Run(const String& sql);
  void AttachNamedSchemas(const std::vector<String>& heads);
  bool SchemaFileExists(const String& name) const;
  String SchemaPath(const String& name) const;
  void BindAll(sqlite3_stmt* statement, const TAdaptedSql& adapted, const TOraBinds& binds);

  TRoutine ResolveRoutine(const String& name);
  bool TryResolveRoutine(const String& name, TRoutine& routine);
  bool TryPackageVariable(const String& qualifiedName, Variant& value);
  bool FindRoutine(const String& schema, const String& package, const String& name,
                   TRoutine& routine);
  Variant Invoke(const TRoutine& routine, std::vector<Variant>& args,
                 std::shared_ptr<TOraCursor>* cursor);
  void RunInSavepoint(const std::function<void()>& work);
  String ResolveColumnType(const String& column, const String& describedText);
  static void CallFromSql(struct sqlite3_context* ctx, int argc, struct sqlite3_value** argv);

  sqlite3* FDb = nullptr;
  String FFolder;
  String FDefaultSchema;
  std::shared_ptr<TOraFaults> FFaults;
  std::set<String> FAttached;
  std::map<String, TNativeRoutine> FNative;
  int FSavepoints = 0;
};
