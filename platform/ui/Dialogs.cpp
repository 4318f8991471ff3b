#include "platform/ui/Dialogs.h"

int MessageBox(HWND owner, const String& text, const String& caption, uint32_t flags) {
  TMessageBoxRequest request;
  request.Text = text;
  request.Caption = caption;
  request.Flags = flags;
  request.Owner = owner;
  return WidgetSet()->MessageBox(request);
}

void MessageBeep(uint32_t type) { WidgetSet()->MessageBeep(type); }
