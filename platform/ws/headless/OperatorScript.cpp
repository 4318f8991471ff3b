#include "platform/ws/headless/OperatorScript.h"

#include <map>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Menus.h"

namespace {

enum class TArgs {
  None,
  Name,
  NameAndIndex,
  NameOptionalIndex,
  NameAndKeys,
  LocateKeys,
  RowNumber,
  StepNumber,
  Reply,
  Free,
  FreeRequired
};

struct TVerbRule {
  const char* Verb;
  TArgs Args;
};

constexpr TVerbRule BuiltInVerbs[] = {
    {"tick", TArgs::LocateKeys},
    {"tickrow", TArgs::RowNumber},
    {"goto", TArgs::LocateKeys},
    {"gotorow", TArgs::RowNumber},
    {"focus", TArgs::Name},
    {"click", TArgs::Name},
    {"action", TArgs::Name},
    {"radio", TArgs::NameAndIndex},
    {"select", TArgs::NameAndIndex},
    {"check", TArgs::NameOptionalIndex},
    {"uncheck", TArgs::NameOptionalIndex},
    {"key", TArgs::NameAndKeys},
    {"dblclick", TArgs::Name},
    {"popup", TArgs::Name},
    {"ok", TArgs::None},
    {"cancel", TArgs::None},
    {"close", TArgs::None},
    {"dump", TArgs::None},
    {"answer", TArgs::Reply},
    {"cancel-progress", TArgs::StepNumber},
};

// Verbs whose work belongs to the grid tools: known to every script, run by a registered
// handler.
constexpr TVerbRule ToolVerbs[] = {
    {"sort", TArgs::FreeRequired}, {"filter", TArgs::Free}, {"find", TArgs::FreeRequired}};

constexpr const char* Replies[] = {"ok", "cancel", "yes", "no", "abort", "retry", "ignore"};

std::map<String, TOperatorStepHandler>& Handlers() {
  static std::map<String, TOperatorStepHandler> handlers;
  return handlers;
}

const TVerbRule* FindRule(const String& verb) {
  for (const TVerbRule& rule : BuiltInVerbs)
    if (verb == rule.Verb) return &rule;
  for (const TVerbRule& rule : ToolVerbs)
    if (verb == rule.Verb) return &rule;
  return nullptr;
}

bool IsBuiltIn(const String& verb) {
  for (const TVerbRule& rule : BuiltInVerbs)
    if (verb == rule.Verb) return true;
  return false;
}

bool IsCount(const String& word, int minimum) {
  int value = 0;
  return TryStrToInt(word, value) && value >= minimum &&
         word.find_first_not_of("0123456789") == String::npos;
}

[[noreturn]] void StepError(const TOperatorStep& step, const String& reason) {
  throw EOperatorError("Operator " + step.Describe() + ": " + reason);
}

void CheckArguments(const TOperatorStep& step, TArgs args) {
  const std::vector<String> words = step.Words();
  const size_t count = words.size();
  switch (args) {
    case TArgs::None:
      if (count) StepError(step, "takes no argument");
      break;
    case TArgs::Name:
      if (count != 1) StepError(step, "takes one component name");
      break;
    case TArgs::NameAndIndex:
      if (count != 2 || !IsCount(words[1], 0))
        StepError(step, "takes a component name and an item number (from 0)");
      break;
    case TArgs::NameOptionalIndex:
      if (count < 1 || count > 2 || (count == 2 && !IsCount(words[1], 0)))
        StepError(step, "takes a component name and, for a check combo box, an item number");
      break;
    case TArgs::NameAndKeys:
      if (count < 2 || TextToShortCut(Trim(step.Argument.substr(words[0].size()))) == 0)
        StepError(step, "takes a control name and a key such as Space, Enter or Ctrl+Del");
      break;
    case TArgs::LocateKeys:
      if (step.Argument.empty()) StepError(step, "takes FIELD=VALUE pairs joined by \",\"");
      try {
        ParseLocateKeys(step.Argument);
      } catch (const EOperatorError& error) {
        StepError(step, error.Message());
      }
      break;
    case TArgs::RowNumber:
      if (count != 1 || !IsCount(words[0], 0)) StepError(step, "takes a row number (from 0)");
      break;
    case TArgs::StepNumber:
      if (count != 1 || !IsCount(words[0], 1)) StepError(step, "takes a step number (from 1)");
      break;
    case TArgs::Reply: {
      bool known = false;
      for (const char* reply : Replies) known = known || (count == 1 && SameText(words[0], reply));
      if (!known) StepError(step, "takes ok, cancel, yes, no, abort, retry or ignore");
      break;
    }
    case TArgs::FreeRequired:
      if (!count) StepError(step, "needs an argument");
      break;
    case TArgs::Free:
      break;
  }
}

TOperatorStep MakeStep(const String& source, int number, int line) {
  TOperatorStep step;
  step.Number = number;
  step.Line = line;
  step.Source = Trim(source);
  const size_t end = step.Source.find_first_of(" \t");
  step.Verb = LowerCase(step.Source.substr(0, end));
  step.Argument = end == String::npos ? String() : Trim(step.Source.substr(end));
  return step;
}

// Splits at the separator outside quotes (' or ").
std::vector<String> SplitOutsideQuotes(const String& text, char separator) {
  std::vector<String> parts(1);
  char quote = 0;
  for (char c : text) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == separator) {
      parts.emplace_back();
      continue;
    }
    parts.back() += c;
  }
  return parts;
}

String Unquote(const String& value) {
  if (value.size() < 2 || value.front() != '\'' || value.back() != '\'') return value;
  String result;
  for (size_t i = 1; i + 1 < value.size(); ++i) {
    result += value[i];
    if (value[i] == '\'' && i + 2 < value.size() && value[i + 1] == '\'') ++i;
  }
  return result;
}

}  // namespace

std::vector<String> TOperatorStep::Words() const {
  std::vector<String> words;
  String word;
  for (char c : Argument + ' ') {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

String TOperatorStep::Describe() const {
  return "step " + IntToStr(Number) + " (line " + IntToStr(Line) + ") \"" + Source + "\"";
}

std::vector<TOperatorStep> ParseOperatorScript(const String& script, int firstNumber) {
  std::vector<TOperatorStep> steps;
  int line = 1;
  int stepLine = 1;
  String current;
  char quote = 0;
  bool comment = false;
  const auto finish = [&] {
    if (!Trim(current).empty()) {
      TOperatorStep step =
          MakeStep(current, firstNumber + static_cast<int>(steps.size()), stepLine);
      const TVerbRule* rule = FindRule(step.Verb);
      if (!rule && !FindOperatorStepHandler(step.Verb)) StepError(step, "unknown step");
      CheckArguments(step, rule ? rule->Args : TArgs::Free);
      steps.push_back(std::move(step));
    }
    current.clear();
    stepLine = line;
  };
  for (char c : script + '\n') {
    if (comment) {
      if (c == '\n') {
        comment = false;
        ++line;
        stepLine = line;
      }
      continue;
    }
    if (!quote && c == '#' && Trim(current).empty()) {
      comment = true;
      continue;
    }
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';' || c == '\n') {
      finish();
      if (c == '\n') stepLine = ++line;
      continue;
    }
    if (c == '\n') ++line;
    current += c == '\r' || c == '\t' ? ' ' : c;
  }
  return steps;
}

TLocateKeys ParseLocateKeys(const String& text) {
  TLocateKeys keys;
  std::vector<Variant> values;
  for (const String& pair : SplitOutsideQuotes(text, ',')) {
    const size_t equals = pair.find('=');
    const String field = equals == String::npos ? String() : Trim(pair.substr(0, equals));
    if (field.empty()) throw EOperatorError("\"" + Trim(pair) + "\" is not FIELD=VALUE");
    if (!keys.Fields.empty()) keys.Fields += ';';
    keys.Fields += field;
    values.emplace_back(Unquote(Trim(pair.substr(equals + 1))));
  }
  if (values.size() == 1) {
    keys.Values = values.front();
    return keys;
  }
  keys.Values = VarArrayCreate(0, static_cast<int>(values.size()) - 1, varVariant);
  for (size_t i = 0; i < values.size(); ++i) keys.Values.SetElement(static_cast<int>(i), values[i]);
  return keys;
}

void RegisterOperatorStep(const String& verb, TOperatorStepHandler handler) {
  const String name = LowerCase(verb);
  if (IsBuiltIn(name)) throw EOperatorError("The operator step \"" + name + "\" is built in");
  Handlers()[name] = std::move(handler);
}

void UnregisterOperatorStep(const String& verb) { Handlers().erase(LowerCase(verb)); }

TOperatorStepHandler FindOperatorStepHandler(const String& verb) {
  const auto it = Handlers().find(LowerCase(verb));
  return it == Handlers().end() ? TOperatorStepHandler() : it->second;
}
