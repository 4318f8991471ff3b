// Query texts in the Oracle dialect: the scanner covers every character exactly once, and the
// macro and parameter scans, the PL/SQL block parser, the adapter and the engine take any text
// or refuse it with a database error.
#include <unistd.h>

#include "fuzz/FuzzSupport.h"
#include "platform/ora/OraBlock.h"
#include "platform/ora/OraConnection.h"
#include "platform/ora/OraDialect.h"
#include "platform/ora/SqlText.h"
#include "platform/rtl/Files.h"

namespace {

TOraConnection& Connection() {
  static TOraConnection* connection = [] {
    const String folder = GetTempDir() + "rod-fuzz-ora-" + std::to_string(::getpid()) + "/";
    ForceDirectories(folder);
    return new TOraConnection(folder, "", nullptr);
  }();
  return *connection;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String text = FuzzText(data, size);
  size_t covered = 0;
  for (const TSqlToken& token : ScanSql(text)) {
    Require(token.Pos == covered && token.Len > 0);
    covered += token.Len;
  }
  Require(covered == text.size());
  SqlParamNames(text);
  SqlMacroNames(text);
  ExpandSqlMacros(text, [](std::string_view) -> std::optional<String> { return String("X"); });
  IsPLSQLText(text);
  SelectItemTypes(text);
  OracleTypeInfo(text);
  Refusable([&] { AddSqlCondition(text, "1 = 1"); });
  Refusable([&] { ParsePlsqlBlock(text); });
  Refusable([&] { AdaptOracleSql(text); });
  if (size < 300) {
    Refusable([&] {
      TOraBinds binds;
      auto cursor = Connection().OpenQuery("SELECT " + text + " FROM DUAL", binds);
      while (cursor->Next())
        for (int i = 0; i < cursor->ColumnCount(); ++i) cursor->Value(i);
    });
  }
  return 0;
}
