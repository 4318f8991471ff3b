// The language service every program of the system uses to show texts in the operator's
// interface language.
//
// The language is Russian unless something else is said. The host program (or a test) chooses
// it with SetComLanguage; before that, the environment variable RODODORIV_LANG, read once at the
// first use of this service, may choose it. Codes, in any letter case: "ru" Russian, "en"
// English, "none" no language module at all (then nothing is translated, GetComLanguages is
// nullptr and messages are Russian). An unset or unknown RODODORIV_LANG means Russian.
#pragma once

#include "platform/rtl/Exceptions.h"

class TLanguagesDM;

// Text in the operator's interface language: the translation of a Russian text (a resource
// variable or any caller's text) when the interface is not Russian and a translation is known;
// otherwise the text itself. Texts of the module's NoTranslateList stay as they are.
String TranslateAplText(const String& text);

// The Russian text when the interface language is Russian (or there is no language module),
// otherwise the English text.
String CaseMessageTxt(const String& russian, const String& english);

// True when the text holds a Cyrillic letter.
bool RusCharExists(const String& text);

// The language module, or nullptr when there is none; without it callers translate nothing.
TLanguagesDM* GetComLanguages();

// Chooses the interface language by its code ("ru", "en", "none", any case). An unknown code
// raises EConvertError and changes nothing. Phrases added to the module survive a change
// between "ru" and "en"; "none" frees the module with them.
void SetComLanguage(const String& code);
// The code of the current choice: "ru", "en" or "none".
String GetComLanguage();
