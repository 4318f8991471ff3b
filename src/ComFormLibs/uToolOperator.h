// Where a tool's dialog gets its choice when an operator, not a person, runs the windows.
//
// Under the headless widget set nobody can pick columns in a dialog. A dialog opened by the
// window's own action (Ctrl+S, ...) takes its choice the way a message box takes an answer: the
// operator's next step when that step has the tool's verb ("sort NAME DESC" right after the key
// that opened it); without one it is cancelled. A step of that verb run on a window with a grid
// opens the tool itself and hands it its own choice (TStepChoiceScope). Under any other widget
// set a person chooses in the dialog.
#pragma once

#include <optional>

#include "platform/ws/headless/OperatorScript.h"

struct TToolChoice {
  // True when an operator runs the windows: the dialog applies Step or is cancelled.
  bool Driven = false;
  std::optional<TOperatorStep> Step;
};

// The choice for the tool of that verb ("sort", "filter", "find"); taking it uses it up.
TToolChoice TakeToolChoice(const String& verb);

// For its lifetime, the tool of the step's verb takes the step as its choice.
class TStepChoiceScope {
 public:
  explicit TStepChoiceScope(const TOperatorStep& step);
  ~TStepChoiceScope();
  TStepChoiceScope(const TStepChoiceScope&) = delete;
  TStepChoiceScope& operator=(const TStepChoiceScope&) = delete;

 private:
  std::optional<TOperatorStep> FPrevious;
};

// A choice the dialog cannot apply: EOperatorError naming the step, as for any step that cannot
// apply.
[[noreturn]] void ChoiceError(const TOperatorStep& step, const String& reason);
