#include "src/ResourcePack/Ucomlanguages.h"

#include <cstdlib>

#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"
#include "src/ResourcePack/Ulanguagesdm.h"

namespace {

struct TLanguageCode {
  const char* Code;
  int LangId;  // 0: no language module
};

constexpr TLanguageCode LanguageCodes[] = {
    {"ru", TLanguagesDM::LANG_RUSSIAN},
    {"en", TLanguagesDM::LANG_ENGLISH},
    {"none", 0},
};

const TLanguageCode& RussianLanguage() { return LanguageCodes[0]; }

const TLanguageCode* FindLanguage(const String& code) {
  const String lower = LowerCase(code);
  for (const TLanguageCode& known : LanguageCodes)
    if (lower == known.Code) return &known;
  return nullptr;
}

// Read once, when the service starts; an explicit SetComLanguage wins afterwards.
const TLanguageCode& LanguageFromEnvironment() {
  const char* value = std::getenv("RODODORIV_LANG");
  const TLanguageCode* language = value ? FindLanguage(value) : nullptr;
  return language ? *language : RussianLanguage();
}

// The process-wide language state: the choice and the module that serves it.
class TLanguageService {
 public:
  TLanguageService() { Apply(LanguageFromEnvironment()); }
  ~TLanguageService() { FreeAndNil(FModule); }

  void Apply(const TLanguageCode& language) {
    FLanguage = &language;
    if (language.LangId == 0) {
      FreeAndNil(FModule);
      return;
    }
    if (!FModule) FModule = TLanguagesDM::Create(nullptr);
    FModule->SetUserAplLangId(language.LangId);
  }

  const TLanguageCode& Language() const { return *FLanguage; }
  TLanguagesDM* Module() const { return FModule; }

 private:
  const TLanguageCode* FLanguage = &RussianLanguage();
  TLanguagesDM* FModule = nullptr;
};

TLanguageService& Service() {
  static TLanguageService service;
  return service;
}

}  // namespace

String TranslateAplText(const String& text) {
  TLanguagesDM* module = GetComLanguages();
  if (!module || !module->IsNecessaryAplTrans() || module->NoTranslateList()->IndexOf(text) >= 0)
    return text;
  String translated = text;
  module->RESOURCE_APL_TXT(translated);
  return translated.empty() ? text : translated;
}

String CaseMessageTxt(const String& russian, const String& english) {
  TLanguagesDM* module = GetComLanguages();
  return !module || module->GET_USER_APL_LANG_ID() == TLanguagesDM::LANG_RUSSIAN ? russian
                                                                                 : english;
}

bool RusCharExists(const String& text) { return ContainsCyrillic(text); }

TLanguagesDM* GetComLanguages() { return Service().Module(); }

void SetComLanguage(const String& code) {
  const TLanguageCode* language = FindLanguage(code);
  if (!language) throw EConvertError("SetComLanguage: unknown language code \"" + code + "\"");
  Service().Apply(*language);
}

String GetComLanguage() { return Service().Language().Code; }
