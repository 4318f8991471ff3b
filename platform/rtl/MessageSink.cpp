#include "platform/rtl/MessageSink.h"

#include <cstdio>

namespace {
TMessageSink& CurrentSink() {
  static TMessageSink sink;
  return sink;
}
}  // namespace

TMessageSink SetMessageSink(TMessageSink sink) {
  TMessageSink previous = std::move(CurrentSink());
  CurrentSink() = std::move(sink);
  return previous;
}

int SendMessageRequest(const TMessageRequest& request) {
  if (CurrentSink()) return CurrentSink()(request);
  std::fprintf(stderr, "%s%s%s\n", request.Caption.c_str(), request.Caption.empty() ? "" : ": ",
               request.Text.c_str());
  return 1;
}

void ShowMessage(const String& text) { SendMessageRequest({text, String(), 0}); }
