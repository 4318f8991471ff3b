// Where the runtime layer's own message boxes go. The runtime layer knows no windows: a plain
// message (the platform's ShowMessage) is handed to the installed sink, which the user-interface
// layer replaces with real message boxes and tests replace with a recorder. Without a sink the
// text goes to standard error, so nothing is ever lost silently.
#pragma once

#include <functional>

#include "platform/rtl/Exceptions.h"

struct TMessageRequest {
  String Text;
  String Caption;
  unsigned Flags = 0;  // the platform's message-box style bits (icon, buttons, modality)
};

// Returns the button the user chose (1 = OK).
using TMessageSink = std::function<int(const TMessageRequest&)>;

// Installs a sink and returns the one it replaces (an empty function means standard error).
TMessageSink SetMessageSink(TMessageSink sink);

int SendMessageRequest(const TMessageRequest& request);

// The platform's plain message box: the text, the application's title, an OK button.
void ShowMessage(const String& text);
