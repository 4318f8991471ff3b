#include "src/ComUnits/uComFunctions.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

namespace {

uint32_t MessageBoxStyle(int kind) {
  switch (kind) {
    case 0:
      return MB_ICONWARNING | MB_TASKMODAL;
    case 1:
      return MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST;
    case 2:
      return MB_ICONINFORMATION;
    default:
      return MB_ICONERROR;
  }
}

HWND BoxOwner(TWinControl* window) {
  if (window && window->Visible()) return window->Handle();
  TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
  return active ? active->Handle() : 0;
}

void ShowBox(TWinControl* window, const String& text, const String& caption, uint32_t style) {
  MessageBox(BoxOwner(window), text, TranslateAplText(caption), MB_OK | style);
}

void ShowKindBox(TWinControl* window, const String& text, int kind) {
  switch (kind) {
    case 0:
    case 1:
    case 2:
      ShowBox(window, text, kind == 0 ? rstrConfirmation : kind == 1 ? rstrError : rstrNotification,
              MessageBoxStyle(kind));
      break;
    case 3:
      ShowBox(window, text, rstrConfirmation, MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST);
      break;
    default:
      ShowBox(window, text, String(), MB_ICONERROR);
  }
}

bool IsFileNameForbidden(char c) {
  switch (c) {
    case '\r':
    case ' ':
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '[':
    case ']':
    case '\\':
    case '|':
      return true;
    default:
      return false;
  }
}

}  // namespace

void ShowMessageBox(TWinControl* window, const String& text, const String& caption, int kind) {
  ShowBox(window, text, caption, MessageBoxStyle(kind));
}

void ShowMessageBox(const String& text, const String& caption, int kind) {
  ShowMessageBox(nullptr, text, caption, kind);
}

void ShowKindMessage(TWinControl* window, const String& text, int kind) {
  ShowKindBox(window, text, kind);
}

void ShowKindMessage(const String& text, int kind) { ShowKindBox(nullptr, text, kind); }

void CheckAssigned(const void* object, const String& text) {
  if (!object) throw Exception(text);
}

void RaiseUserBreak() { throw Exception(UserBreakText); }

bool IsUserBreak(const Exception& error) {
  return SameText(error.Message(), UserBreakText) || String(error.ClassName()) == "ETerminated";
}

String MakeValidFileName(const String& path) {
  const String folder = ExtractFilePath(path);
  String name = path.substr(folder.size());
  for (char& c : name)
    if (IsFileNameForbidden(c)) c = '_';
  return folder + name;
}

bool IsDebugMode() { return FileExists(HostProgramFolder() + "Debug.ini"); }

String GetModuleFileName() {
  return ModuleFileName(reinterpret_cast<const void*>(&GetModuleFileName));
}
