// The language module: which language the operator works in, and the translation of Russian
// texts into it. Windows are designed in Russian, so on a Russian interface nothing is to be
// translated; on an English one the module answers the English text of every Russian phrase it
// knows: the pack's own texts and the phrases added at run time (the database's phrase tables).
#pragma once

#include <unordered_map>

#include "platform/rtl/Classes.h"

class TOraSession;
class TStringList;

class TLanguagesDM : public TComponent {
  RTL_CLASS(TLanguagesDM, TComponent)
 public:
  // Windows primary language ids, as GET_USER_APL_LANG_ID answers them.
  static constexpr int LANG_RUSSIAN = 0x19;
  static constexpr int LANG_ENGLISH = 0x09;

  void Construct(TComponent* owner) override;

  // The interface language; only Russian and English are known, anything else raises
  // EConvertError and keeps the language.
  int GET_USER_APL_LANG_ID() const { return FLangId; }
  void SetUserAplLangId(int langId);

  // Form texts, and report texts, are to be translated: the interface is not Russian.
  bool IsNecessaryAplTrans() const { return FLangId != LANG_RUSSIAN; }
  bool IsNecessaryRepTrans() const { return FLangId != LANG_RUSSIAN; }

  // Replaces Text by its translation into the interface language. Text is empty afterwards
  // when no translation is known, and unchanged when the translation is the text itself (a
  // Russian text on a Russian interface).
  void RESOURCE_APL_TXT(String& text) const;

  // Texts that are never translated (IndexOf finds them).
  TStringList* NoTranslateList() const { return FNoTranslateList; }

  // Adds or replaces the English text of a Russian phrase; phrases added here take precedence
  // over the pack's own texts. A phrase without English is not taken: it has no translation.
  void AddPhrase(const String& russian, const String& english);

  // The module's own session, on which phrases are registered for translators. The module does
  // not own it, and lets go of it when the session is freed.
  TOraSession* LangSession() const { return FLangSession; }
  void SetLangSession(TOraSession* session);

 protected:
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  const String* FindEnglish(const String& russian) const;

  int FLangId = LANG_RUSSIAN;
  TStringList* FNoTranslateList = nullptr;
  std::unordered_map<String, String> FPhrases;
  TOraSession* FLangSession = nullptr;
};
