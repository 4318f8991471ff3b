#include "platform/ui/WidgetSet.h"

#include <cstdio>

#include "platform/ui/Forms.h"

std::vector<int> MessageBoxButtons(uint32_t flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

int DefaultMessageBoxButton(uint32_t flags) {
  const std::vector<int> buttons = MessageBoxButtons(flags);
  const size_t index = (flags & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

namespace {

class TNoProgressWindow : public TProgressWindow {
 public:
  void SetText(const String&) override {}
  void SetStage(const String&, int) override {}
  void Reset(const String&, const String&, int) override {}
  bool Step(const String&) override { return true; }
};

class TNoWaitWindow : public TWaitWindow {
 public:
  void SetText(const String&) override {}
};

// Without a display nothing can be shown and nobody can answer: texts go to standard error,
// boxes answer with their default button, and a modal window cannot run at all.
class TDisplaylessWidgetSet : public TWidgetSet {
 public:
  void RunModal(TModalSession& session) override {
    const String caption = session.Form() ? session.Form()->Caption() : String();
    throw EInvalidOperation("Cannot show the window \"" + caption +
                            "\" modally: no widget set is installed");
  }
  int MessageBox(const TMessageBoxRequest& request) override {
    std::fprintf(stderr, "%s%s%s\n", request.Caption.c_str(), request.Caption.empty() ? "" : ": ",
                 request.Text.c_str());
    return DefaultMessageBoxButton(request.Flags);
  }
  void MessageBeep(uint32_t) override {}
  TMenuItem* TrackPopupMenu(TPopupMenu*, TPoint) override { return nullptr; }
  void ShowListWindow(const String& caption, const std::vector<String>& lines) override {
    std::fprintf(stderr, "%s\n", caption.c_str());
    for (const String& line : lines) std::fprintf(stderr, "  %s\n", line.c_str());
  }
  void OpenDocument(const String& path) override {
    std::fprintf(stderr, "document: %s\n", path.c_str());
  }
  std::unique_ptr<TWaitWindow> ShowWaitWindow(const String&) override {
    return std::make_unique<TNoWaitWindow>();
  }
  std::unique_ptr<TProgressWindow> ShowProgressWindow(const String&, const String&, int) override {
    return std::make_unique<TNoProgressWindow>();
  }
};

TWidgetSet*& InstalledWidgetSet() {
  static TWidgetSet* installed = nullptr;
  return installed;
}

}  // namespace

TWidgetSet* WidgetSet() {
  static TDisplaylessWidgetSet displayless;
  TWidgetSet* installed = InstalledWidgetSet();
  return installed ? installed : &displayless;
}

TWidgetSet* SetWidgetSet(TWidgetSet* widgetSet) {
  TWidgetSet* previous = InstalledWidgetSet();
  InstalledWidgetSet() = widgetSet;
  return previous;
}

void ShellOpenDocument(const String& path) { WidgetSet()->OpenDocument(path); }
