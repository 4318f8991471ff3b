// Operator scripts as the host program takes them: any text is read into steps or refused with
// an operator error, steps are numbered in order, and the key lists of tick and goto read or
// are refused the same way.
#include "fuzz/FuzzSupport.h"
#include "platform/ws/headless/OperatorScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String script = FuzzText(data, size);
  Refusable([&] {
    const std::vector<TOperatorStep> steps = ParseOperatorScript(script, 1);
    for (size_t i = 0; i < steps.size(); ++i) {
      Require(steps[i].Number == static_cast<int>(i) + 1);
      Require(!steps[i].Verb.empty());
      steps[i].Words();
      steps[i].Describe();
    }
  });
  Refusable([&] { ParseLocateKeys(script); });
  return 0;
}
