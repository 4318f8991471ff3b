#include "src/ComFormLibs/uToolMessages.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

namespace {

uint32_t IconOf(TToolMessage kind) {
  switch (kind) {
    case TToolMessage::Information:
      return MB_ICONINFORMATION;
    case TToolMessage::Warning:
      return MB_ICONWARNING;
    case TToolMessage::Error:
      return MB_ICONERROR;
  }
  return MB_ICONERROR;
}

}  // namespace

void ShowToolMessage(const String& text, const String& caption, TToolMessage kind) {
  TCustomForm* front = Screen ? Screen->ActiveForm() : nullptr;
  MessageBox(front ? front->Handle() : 0, text, caption, MB_OK | IconOf(kind));
}
