// The operator's script: steps separated by line breaks or ";" (a ";" inside quotes belongs to
// the step), each a verb and its argument. Empty steps and lines starting with "#" are skipped.
// OPERATOR.md beside this file is the reference of the language.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

// A step that cannot be read or cannot apply: the message names the step.
RTL_EXCEPTION_CLASS(EOperatorError, Exception);

struct TOperatorStep {
  int Number = 0;  // 1-based position in the script
  int Line = 0;
  String Verb;      // lower case
  String Argument;  // the rest of the step, blanks around it removed
  String Source;    // the step as written

  // The argument split at blanks.
  std::vector<String> Words() const;
  // "step 3 (line 2) "click OkBtn""
  String Describe() const;
};

// Reads a script; raises EOperatorError for an unknown verb or an argument the verb cannot take.
// Steps are numbered from firstNumber.
std::vector<TOperatorStep> ParseOperatorScript(const String& script, int firstNumber = 1);

// FIELD=VALUE pairs joined by "," as Locate takes them: "A;B" and one value, or a variant array
// of the values. A value may be quoted with ' (doubled inside).
struct TLocateKeys {
  String Fields;
  Variant Values;
};
TLocateKeys ParseLocateKeys(const String& text);

// Steps the operator hands to whoever registered for them: the grid tools (sort, filter,
// find) and any verb a library adds. A built-in verb cannot be registered.
class TStepContext;
using TOperatorStepHandler = std::function<void(TStepContext& context)>;
void RegisterOperatorStep(const String& verb, TOperatorStepHandler handler);
void UnregisterOperatorStep(const String& verb);
// The handler registered for the verb; an empty function when there is none.
TOperatorStepHandler FindOperatorStepHandler(const String& verb);
