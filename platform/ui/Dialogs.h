// Message boxes and the message beep, as the platform's API offers them.
#pragma once

#include "platform/ui/WidgetSet.h"

// The box belongs to the owner window (0 for none) and answers with the button chosen.
int MessageBox(HWND owner, const String& text, const String& caption, uint32_t flags);
// The sound of the message kind (MB_OK, MB_ICONERROR, ...; 0xFFFFFFFF the simple beep).
void MessageBeep(uint32_t type);
