// The PL/SQL blocks the system writes, read into their statements:
//   begin :RESULT := S.P.F(...); end;     a function's result into a bind variable
//   begin S.P.PROC(...); end;             a procedure call (arguments by position or name => value)
//   begin null; end;                      nothing
// Anything else inside BEGIN ... END raises EDatabaseError naming the statement.
#pragma once

#include <vector>

#include "platform/rtl/Exceptions.h"

struct TPlsqlArg {
  String Name;        // for "name => value", else empty
  String Expression;  // the value as written
  String Param;       // when the value is one bind variable, its name
};

struct TPlsqlStatement {
  enum class TKind { Null, Call, Assign };
  TKind Kind = TKind::Null;
  String Target;      // Assign: the bind variable that receives the value
  String Expression;  // Assign: the right side as written
  // Call, and an Assign whose right side is a dotted name with or without arguments: the name
  // ("S.P.F", upper case unless quoted), which may be a routine or a package variable.
  String Routine;
  bool HasArgs = false;
  std::vector<TPlsqlArg> Args;
};

std::vector<TPlsqlStatement> ParsePlsqlBlock(const String& text);
