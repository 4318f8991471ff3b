// The pack's table of texts. Every unit of texts (the common resources, the report resources)
// registers its named strings here when the pack is loaded; the language module looks up the
// English text of a Russian phrase here, so a window's design text that equals a resource text
// translates as well as the resource variable itself.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/rtl/Exceptions.h"

// One resource text: its identifier, the global variable that holds its Russian text and its
// English text.
struct TResourceString {
  const char* Name;
  const String* Variable;
  const char* English;
};

// One phrase of the windows' design texts that is not a resource variable.
struct TResourcePhrase {
  const char* Russian;
  const char* English;
};

// Registers a unit's texts. The Russian text is taken from the variable at registration, so a
// unit registers after its variables are initialised. When two registrations carry the same
// Russian text, the first one keeps the English text.
void RegisterResourceStrings(std::span<const TResourceString> texts);
void RegisterResourcePhrases(std::span<const TResourcePhrase> phrases);

// Everything registered so far, in registration order.
const std::vector<TResourceString>& RegisteredResourceStrings();
const std::vector<TResourcePhrase>& RegisteredResourcePhrases();

// The English text the pack knows for a Russian phrase, or nullptr.
const String* FindPackEnglish(const String& russian);

// Helper for a unit of texts: registers its table while the library is being loaded.
struct TResourceRegistration {
  explicit TResourceRegistration(std::span<const TResourceString> texts) {
    RegisterResourceStrings(texts);
  }
  explicit TResourceRegistration(std::span<const TResourcePhrase> phrases) {
    RegisterResourcePhrases(phrases);
  }
};
