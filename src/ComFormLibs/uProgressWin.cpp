#include "src/ComFormLibs/uProgressWin.h"

RTL_CLASS_IMPL(TWaitWindowHolder, TObject)

namespace {

class TProgressIntf final : public IProgress_001 {
 public:
  explicit TProgressIntf(std::unique_ptr<TProgressWindow> window) : FWindow(std::move(window)) {}

  int _AddRef() override { return ++FRefCount; }
  int _Release() override {
    const int count = --FRefCount;
    if (count == 0) delete this;
    return count;
  }
  void SetText(const String& text) override { FWindow->SetText(text); }
  void SetStage(const String& text, int maximum) override { FWindow->SetStage(text, maximum); }
  void Reset(const String& caption, const String& text, int maximum) override {
    FWindow->Reset(caption, text, maximum);
  }
  bool Step(const String& text) override { return FWindow->Step(text); }

 private:
  std::unique_ptr<TProgressWindow> FWindow;
  int FRefCount = 1;
};

}  // namespace

void TWaitWindowHolder::Construct(const String& text) {
  FWindow = WidgetSet()->ShowWaitWindow(text);
}

IProgress_001* OpenProgress(const String& caption, const String& text, int maximum) {
  return new TProgressIntf(WidgetSet()->ShowProgressWindow(caption, text, maximum));
}

void ShowLines(TStrings* lines, const String& caption) {
  std::vector<String> texts;
  for (int i = 0; lines && i < lines->Count(); ++i) texts.push_back(lines->Strings(i));
  WidgetSet()->ShowListWindow(caption.empty() ? String("List") : caption, texts);
}
