#include "src/ResourcePack/Ulanguagesdm.h"

#include "platform/ora/OraSession.h"
#include "platform/rtl/Strings.h"
#include "src/ResourcePack/ResourceRegistry.h"
#include "src/ResourcePack/Ucomlanguages.h"

RTL_CLASS_IMPL(TLanguagesDM, TComponent)

void TLanguagesDM::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FNoTranslateList = TStringList::Create();
}

void TLanguagesDM::SetLangSession(TOraSession* session) {
  if (FLangSession == session) return;
  if (FLangSession) FLangSession->RemoveFreeNotification(this);
  FLangSession = session;
  if (session) session->FreeNotification(this);
}

void TLanguagesDM::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FLangSession) FLangSession = nullptr;
}

void TLanguagesDM::Destroy() {
  FreeAndNil(FNoTranslateList);
  inherited::Destroy();
}

void TLanguagesDM::SetUserAplLangId(int langId) {
  if (langId != LANG_RUSSIAN && langId != LANG_ENGLISH)
    throw EConvertError("TLanguagesDM.SetUserAplLangId: unknown language id " +
                        std::to_string(langId));
  FLangId = langId;
}

void TLanguagesDM::AddPhrase(const String& russian, const String& english) {
  if (english.empty()) return;
  FPhrases.insert_or_assign(russian, english);
}

const String* TLanguagesDM::FindEnglish(const String& russian) const {
  auto found = FPhrases.find(russian);
  return found != FPhrases.end() ? &found->second : FindPackEnglish(russian);
}

void TLanguagesDM::RESOURCE_APL_TXT(String& text) const {
  if (FLangId == LANG_RUSSIAN) {
    // Russian texts are already in the interface language; others have no Russian here.
    if (!RusCharExists(text)) text.clear();
    return;
  }
  const String* english = FindEnglish(text);
  text = english ? *english : String();
}
