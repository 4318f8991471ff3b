#include "src/ResourcePack/ResourceRegistry.h"

#include <unordered_map>

namespace {

// Function-local statics: units of texts register during static initialisation, in any order.
std::vector<TResourceString>& NamedTexts() {
  static std::vector<TResourceString> texts;
  return texts;
}

std::vector<TResourcePhrase>& Phrases() {
  static std::vector<TResourcePhrase> phrases;
  return phrases;
}

std::unordered_map<String, String>& EnglishByRussian() {
  static std::unordered_map<String, String> index;
  return index;
}

void AddPair(const String& russian, const char* english) {
  EnglishByRussian().try_emplace(russian, english);
}

}  // namespace

void RegisterResourceStrings(std::span<const TResourceString> texts) {
  for (const TResourceString& text : texts) {
    NamedTexts().push_back(text);
    AddPair(*text.Variable, text.English);
  }
}

void RegisterResourcePhrases(std::span<const TResourcePhrase> phrases) {
  for (const TResourcePhrase& phrase : phrases) {
    Phrases().push_back(phrase);
    AddPair(phrase.Russian, phrase.English);
  }
}

const std::vector<TResourceString>& RegisteredResourceStrings() { return NamedTexts(); }

const std::vector<TResourcePhrase>& RegisteredResourcePhrases() { return Phrases(); }

const String* FindPackEnglish(const String& russian) {
  auto found = EnglishByRussian().find(russian);
  return found == EnglishByRussian().end() ? nullptr : &found->second;
}
