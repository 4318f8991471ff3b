// Oracle datasets: TOraDataSet (SQL text, parameters, macros, server-side filter, execution)
// and its kinds TCustomOraQuery, TOraQuery and TOraStoredProc.
//
// The SQL text is kept exactly as written, line by line; what runs is made from it at execution:
// macros expanded, then FilterSQL and the master/detail condition added to the outermost WHERE,
// then the dialect adapted (OraDialect.h). Rows are fetched whole into the dataset's own buffer
// when it opens, so edits (Edit/Post, the marks of the check column) stay local and are never
// written to the database.
//
// Master/detail: with MasterSource and MasterFields set, the detail has a parameter named after
// each master field. When the text uses that parameter, it is simply bound to the master's value;
// otherwise the condition "<detail field> = :<master field>" is added for each pair that names a
// detail field, as the original components do.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/ora/OraParams.h"
#include "platform/ora/OraSession.h"
#include "platform/rtl/Strings.h"

class TOraDataSet : public TDataSet {
  RTL_CLASS(TOraDataSet, TDataSet)
 public:
  TOraSession* Session() const { return FSession; }
  void SetSession(TOraSession* session);

  // Changing the text unprepares the dataset and finds its parameters and macros again.
  TStringList* SQL() const { return FSQL; }
  TOraParams* Params();
  TOraParam* ParamByName(const String& name) { return Params()->ParamByName(name); }
  TOraParam* FindParam(const String& name) { return Params()->FindParam(name); }
  TMacros* Macros() const { return FMacros; }
  TMacro* MacroByName(const String& name) const { return FMacros->MacroByName(name); }
  TMacro* FindMacro(const String& name) const { return FMacros->FindMacro(name); }

  // Compiles the statement on the session (connecting it), so that errors in the text show now.
  void Prepare();
  void Unprepare() { FPrepared = false; }
  bool Prepared() const { return FPrepared; }
  bool IsPLSQL() const;
  // A condition the server applies (added to the outermost WHERE); changing it re-opens an open
  // dataset.
  const String& FilterSQL() const { return FFilterSQL; }
  void SetFilterSQL(const String& condition);
  // The statement as it runs, before the dialect is adapted.
  String FinalSQL();

  // Runs a statement that returns no rows, or a PL/SQL block (output parameters take what it
  // gives back); a SELECT opens the dataset instead.
  virtual void ExecSQL();
  void Execute() { ExecSQL(); }
  int64_t RowsAffected() const { return FRowsAffected; }

  // The refresh and update statements and the local-update switch that windows set, kept as
  // they were set. Edits stay in the dataset's buffer whatever they say: nothing here ever
  // writes a row back, which is what the windows' "begin null; end;" update statements and
  // their local update ask for anyway.
  TStringList* SQLRefresh() const { return FSQLRefresh; }
  TStringList* SQLUpdate() const { return FSQLUpdate; }
  bool LocalUpdate() const { return FLocalUpdate; }
  void SetLocalUpdate(bool value) { FLocalUpdate = value; }

 protected:
  TOraDataSet() = default;
  void Construct(TComponent* owner) override;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

  void LoadData(TDataLoad& load) override;
  void ApplyMasterValues(const std::vector<TMasterValue>& values) override;
  // The text to run when none is written (a stored procedure builds its call).
  virtual void EnsureSQL() {}

 private:
  void SQLChanged(TObject* sender);
  // Adds the parameters named after the master fields that the text does not use.
  void SyncMasterParams();
  std::vector<String> TextParamNames() const;
  TOraConnection& Connection();

  TOraSession* FSession = nullptr;
  TStringList* FSQL = nullptr;
  TOraParams* FParams = nullptr;
  TMacros* FMacros = nullptr;
  TStringList* FSQLRefresh = nullptr;
  TStringList* FSQLUpdate = nullptr;
  bool FLocalUpdate = false;
  String FFilterSQL;
  bool FPrepared = false;
  int64_t FRowsAffected = 0;
};

class TCustomOraQuery : public TOraDataSet {
  RTL_CLASS(TCustomOraQuery, TOraDataSet)
 protected:
  TCustomOraQuery() = default;
};

class TOraQuery : public TCustomOraQuery {
  RTL_CLASS(TOraQuery, TCustomOraQuery)
 protected:
  TOraQuery() = default;
};

// A stored procedure or function by name ("S.P.R", "S.R", "P.R"). Without SQL of its own, it
// builds its call from the routine's declaration (PrepareSQL): "begin S.P.F(:A, :B); end;" for a
// procedure, "begin :RESULT := S.P.F(:A, :B); end;" for a function, with typed parameters named
// after the arguments. Opening it fetches the cursor a function or an OUT argument returns.
class TOraStoredProc : public TCustomOraQuery {
  RTL_CLASS(TOraStoredProc, TCustomOraQuery)
 public:
  const String& StoredProcName() const { return FStoredProcName; }
  // A new name clears the statement and the parameters; the next use builds them again.
  void SetStoredProcName(const String& name);
  // Builds the call and its parameters from the routine's declaration; parameters already
  // present keep their values.
  void PrepareSQL();
  void ExecProc() { ExecSQL(); }

 protected:
  TOraStoredProc() = default;
  void EnsureSQL() override;

 private:
  String FStoredProcName;
};

// The field type of a column of the Oracle type.
TFieldType OraFieldType(TOraDataType type);
