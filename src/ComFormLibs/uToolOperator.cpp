#include "src/ComFormLibs/uToolOperator.h"

#include <utility>

#include "platform/ws/headless/HeadlessWidgetSet.h"

namespace {

std::optional<TOperatorStep>& StepChoice() {
  static std::optional<TOperatorStep> choice;
  return choice;
}

}  // namespace

TToolChoice TakeToolChoice(const String& verb) {
  std::optional<TOperatorStep>& pending = StepChoice();
  if (pending && pending->Verb == verb) return {true, std::exchange(pending, std::nullopt)};
  auto* headless = dynamic_cast<THeadlessWidgetSet*>(WidgetSet());
  if (!headless) return {};
  return {true, headless->TakeReply(verb)};
}

TStepChoiceScope::TStepChoiceScope(const TOperatorStep& step)
    : FPrevious(std::exchange(StepChoice(), step)) {}

TStepChoiceScope::~TStepChoiceScope() { StepChoice() = std::move(FPrevious); }

void ChoiceError(const TOperatorStep& step, const String& reason) {
  throw EOperatorError("Operator " + step.Describe() + ": " + reason);
}
