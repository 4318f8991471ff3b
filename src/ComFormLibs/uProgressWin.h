// The small windows of long operations, shown by the widget set: the wait window, the progress
// window behind IProgress_001 and the window that lists lines.
#pragma once

#include <memory>

#include "platform/rtl/Strings.h"
#include "platform/ui/WidgetSet.h"
#include "src/ComFormLibs/uComFormLibTypes.h"

// The wait window as an object: freeing it closes the window.
class TWaitWindowHolder : public TObject {
  RTL_CLASS(TWaitWindowHolder, TObject)
 public:
  void Construct(const String& text);

 protected:
  TWaitWindowHolder() = default;

 private:
  std::unique_ptr<TWaitWindow> FWindow;
};

// A progress window with one reference for the caller; releasing the last reference closes it.
IProgress_001* OpenProgress(const String& caption, const String& text, int maximum);

// The lines in a window of their own; an empty caption gives "List".
void ShowLines(TStrings* lines, const String& caption);
