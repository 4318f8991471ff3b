// What the controls need of whoever shows them: the widget set.
//
// Controls hold all state (captions, bounds, items, focus, modal results). A widget set shows
// windows, runs modal loops, shows message boxes, popup menus and the small windows of long
// operations, and delivers the user's input back to the controls (platform/ws). Exactly one is
// installed at a time; without one, nothing can be shown: a modal window fails at once instead
// of waiting for input that cannot come, and message boxes go to standard error.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Messages.h"

class TControl;
class TCustomForm;
class TMenuItem;
class TPopupMenu;

// Message box styles (the low bits choose the buttons) and results.
constexpr uint32_t MB_OK = 0x0000;
constexpr uint32_t MB_OKCANCEL = 0x0001;
constexpr uint32_t MB_ABORTRETRYIGNORE = 0x0002;
constexpr uint32_t MB_YESNOCANCEL = 0x0003;
constexpr uint32_t MB_YESNO = 0x0004;
constexpr uint32_t MB_RETRYCANCEL = 0x0005;
constexpr uint32_t MB_TYPEMASK = 0x000F;
constexpr uint32_t MB_ICONERROR = 0x0010;
constexpr uint32_t MB_ICONHAND = MB_ICONERROR;
constexpr uint32_t MB_ICONQUESTION = 0x0020;
constexpr uint32_t MB_ICONWARNING = 0x0030;
constexpr uint32_t MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr uint32_t MB_ICONINFORMATION = 0x0040;
constexpr uint32_t MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr uint32_t MB_ICONMASK = 0x00F0;
constexpr uint32_t MB_DEFBUTTON1 = 0x0000;
constexpr uint32_t MB_DEFBUTTON2 = 0x0100;
constexpr uint32_t MB_DEFBUTTON3 = 0x0200;
constexpr uint32_t MB_DEFMASK = 0x0F00;
constexpr uint32_t MB_APPLMODAL = 0x0000;
constexpr uint32_t MB_SYSTEMMODAL = 0x1000;
constexpr uint32_t MB_TASKMODAL = 0x2000;
constexpr uint32_t MB_SETFOREGROUND = 0x10000;
constexpr uint32_t MB_TOPMOST = 0x40000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The buttons of a message box style, left to right, and the one that answers when the user
// just confirms.
std::vector<int> MessageBoxButtons(uint32_t flags);
int DefaultMessageBoxButton(uint32_t flags);

struct TMessageBoxRequest {
  String Text;
  String Caption;
  uint32_t Flags = MB_OK;
  // The window the box belongs to; 0 for none.
  HWND Owner = 0;
};

// The small window of a long operation with a bar and a Cancel button.
class TProgressWindow {
 public:
  virtual ~TProgressWindow() = default;
  virtual void SetText(const String& text) = 0;
  virtual void SetStage(const String& text, int maximum) = 0;
  virtual void Reset(const String& caption, const String& text, int maximum) = 0;
  // Advances the bar; false once the user has cancelled.
  virtual bool Step(const String& text) = 0;
};

// A "please wait" window; destroying it closes it.
class TWaitWindow {
 public:
  virtual ~TWaitWindow() = default;
  virtual void SetText(const String& text) = 0;
};

// One run of a modal window. The form ends it by getting a modal result and agreeing to close;
// a form freed while it runs ends it too, and the session then has no form.
class TModalSession {
 public:
  explicit TModalSession(TCustomForm* form) : FForm(form) {}
  TModalSession(const TModalSession&) = delete;
  TModalSession& operator=(const TModalSession&) = delete;

  TCustomForm* Form() const { return FForm; }
  // True once the loop may stop. When the form has a modal result it is asked to close (close
  // query, OnClose); a refusal clears the result and the loop goes on.
  bool Ended();

 private:
  friend class TCustomForm;
  void FormGone() { FForm = nullptr; }

  TCustomForm* FForm;
  bool FEnded = false;
};

class TWidgetSet {
 public:
  virtual ~TWidgetSet() = default;

  // Delivers input to the session's form until the session has ended.
  virtual void RunModal(TModalSession& session) = 0;
  // A window was shown or hidden (modal windows too, before and after their loop).
  virtual void FormShown(TCustomForm* form) {}
  virtual void FormHidden(TCustomForm* form) {}
  // The button chosen (IDOK, IDYES, ...).
  virtual int MessageBox(const TMessageBoxRequest& request) = 0;
  virtual void MessageBeep(uint32_t type) = 0;
  // Shows the menu and returns the item the user chose, nullptr for none.
  virtual TMenuItem* TrackPopupMenu(TPopupMenu* menu, TPoint at) = 0;
  // A window that lists lines until the user closes it.
  virtual void ShowListWindow(const String& caption, const std::vector<String>& lines) = 0;
  virtual std::unique_ptr<TWaitWindow> ShowWaitWindow(const String& text) = 0;
  virtual std::unique_ptr<TProgressWindow> ShowProgressWindow(const String& caption,
                                                              const String& text, int maximum) = 0;
  // Opens a stored document (a report, a scanned act) in the program the desktop has for its
  // kind; nothing where there is no desktop.
  virtual void OpenDocument(const String& path) {}
  // The control's picture is out of date.
  virtual void Invalidate(TControl* control) {}
  // The whole screen and the part of it windows may use.
  virtual TRect ScreenRect() const { return Rect(0, 0, 1280, 1024); }
  virtual TRect WorkArea() const { return Rect(0, 0, 1280, 984); }
};

// Opens the document through the installed widget set, as the shell opens a file by its kind.
void ShellOpenDocument(const String& path);

// The installed widget set; the display-less one while none is installed.
TWidgetSet* WidgetSet();
// Installs one (nullptr: none) and returns the one installed before (nullptr when it was none).
TWidgetSet* SetWidgetSet(TWidgetSet* widgetSet);
