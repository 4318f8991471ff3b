// Forms, the screen and the application.
//
// A window class builds its components in ReadResource, standing in for the form file: each
// class calls its parent's ReadResource first, then creates its own components in declaration
// order and sets their properties and event bindings. While the resource is read the form and
// its components are marked as loading; afterwards every component read gets Loaded (in the
// order they were made, the form last) and the window is laid out.
//
// The creation order. With OldCreateOrder set by the resource, OnCreate (DoCreate) runs at the
// end of TCustomForm::Construct, right after the resource was read: a descendant's Construct
// that calls its parent's first continues only after OnCreate. Without it, OnCreate runs after
// every Construct has completed (AfterConstruction). OnDestroy mirrors it: with the old order in
// Destroy, after the descendants' Destroy code; otherwise before any of it.
//
// Errors raised by OnCreate, OnShow and OnClose handlers reach the caller of the operation that
// ran them (Create, Show, ShowModal, Close). An error in OnDestroy cannot stop the destruction:
// it goes to Application->HandleException.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/WidgetSet.h"

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TBorderIcons = uint8_t;
constexpr TBorderIcons biSystemMenu = 0x01;
constexpr TBorderIcons biMinimize = 0x02;
constexpr TBorderIcons biMaximize = 0x04;
constexpr TBorderIcons biHelp = 0x08;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = Event<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = Event<void(TObject* sender, bool& canClose)>;

// Sent to every control of a form (depth first) for Enter and Escape until one takes it:
// WParam the key, LParam the shift state; a control that takes it sets Result to 1.
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;

class TCustomForm : public TWinControl {
  RTL_CLASS(TCustomForm, TWinControl)
 public:
  // Reads the resource; with the old creation order OnCreate follows at once.
  void Construct(TComponent* owner) override;

  TWinControl* ActiveControl() const { return FActiveControl; }
  // EInvalidOperation "Cannot focus a disabled or invisible window" for a control that is not on
  // this form or cannot take the focus (a window being read may name any of its controls).
  void SetActiveControl(TWinControl* control);
  // Focuses the control; the form must be shown.
  void FocusControl(TWinControl* control);
  // The control, or the one holding the focus inside it, gives the focus up (it is being
  // removed from the window).
  void DefocusControl(TWinControl* control);
  // Focuses the first control in tab order that can take the focus.
  void SelectFirst();
  // Moves the focus to the next (or previous) control in tab order after the given one.
  void SelectNext(TWinControl* current, bool forward);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value) { FBorderIcons = value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool value) { FScaled = value; }
  // Shown modally right now.
  bool Modal() const { return FModalSession != nullptr; }
  // The form the screen has in front.
  bool Active() const;

  int ClientWidth() const override;
  int ClientHeight() const override;
  TPoint ClientOrigin() const override;

  // Shows the form and runs it modally until it has a modal result and agrees to close; hides
  // it and returns the result. EInvalidOperation "Cannot make a visible window modal" when it is
  // already shown. A form freed while it runs ends the run with mrCancel.
  virtual TModalResult ShowModal();
  void Show();
  // Modal: the result becomes mrCancel. Otherwise the close query decides and OnClose chooses
  // what closing does (hide by default, free later, minimise, or nothing).
  void Close();
  // OnCloseQuery; true when closing may go on.
  virtual bool CloseQuery();
  // Frees the form once the messages posted before are done (a handler may release its own
  // form).
  void Release();

  // The idle update pass: the actions of the form's showing controls are brought up to date.
  void UpdateActions();
  // Runs the action with the shortcut from the form's action lists; true when one ran.
  virtual bool IsShortCut(TShortCut shortCut);
  // Tab moves the focus; Enter and Escape go to the controls as CM_DIALOGKEY (the default and
  // the cancel button take them). True when the key was taken.
  virtual bool DialogKey(uint16_t key, TShiftState shift);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  TCustomForm() = default;
  // Builds the form's components; see the top of this file.
  virtual void ReadResource() {}
  void AfterConstruction() override;
  void BeforeDestruction() override;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  void VisibleChanged() override;

  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();

 private:
  friend class TModalSession;
  friend class TScreen;
  void FinishReading();
  void BecomeShown();
  void BecomeHidden();
  void PlaceOnScreen();
  void ApplyMaximized();
  void CloseModal();
  void DestroyOnce();
  void ActiveControlGone();
  int FrameWidth() const;
  int CaptionHeight() const;

  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  TWindowState FWindowState = wsNormal;
  TRect FNormalBounds;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TPosition FPosition = poDesigned;
  bool FKeyPreview = false;
  bool FOldCreateOrder = false;
  bool FScaled = true;
  bool FReading = false;
  bool FShown = false;
  bool FChangingVisible = false;
  bool FDestroyHandled = false;
  // Cleared when the form goes: code that ran a handler tells from it whether the form is still
  // there without touching it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  std::vector<TComponent*> FReadComponents;
  TModalSession* FModalSession = nullptr;
};

class TForm : public TCustomForm {
  RTL_CLASS(TForm, TCustomForm)
 protected:
  TForm() = default;
};

// The screen: its size, its work area and the forms on it. The active form is the one shown
// last that is still shown (a modal form while it runs).
class TScreen : public TComponent {
  RTL_CLASS(TScreen, TComponent)
 public:
  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  int WorkAreaTop() const { return WorkAreaRect().Top; }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }

  TCustomForm* ActiveForm() const;
  // The active form's active control.
  TWinControl* ActiveControl() const;
  // Every form that exists, in creation order.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const;

 protected:
  TScreen() = default;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form) { FForms.push_back(form); }
  void RemoveForm(TCustomForm* form);
  void FormShown(TCustomForm* form);
  void FormHidden(TCustomForm* form);

  std::vector<TCustomForm*> FForms;
  // Shown forms, the front one last.
  std::vector<TCustomForm*> FShownForms;
};

// A message posted for later: Application->ProcessMessages delivers it.
struct TMsg {
  HWND Hwnd = 0;
  uint32_t Message = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
};

// Queues a message for a window; false for a handle that names no window.
bool PostMessage(HWND window, uint32_t message, intptr_t wParam = 0, intptr_t lParam = 0);
// Takes the first queued message for the window or one of its child windows (any window for 0);
// with remove it leaves the queue. False when there is none.
bool PeekMessage(TMsg& msg, HWND window, bool remove);
// Delivers the message to its window, when that still exists.
void DispatchMessage(const TMsg& msg);

using TExceptionEvent = Event<void(TObject* sender, const Exception& error)>;

class TApplication : public TComponent {
  RTL_CLASS(TApplication, TComponent)
 public:
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* form);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& value) { FTitle = value; }
  // The box owned by the active form; the caption defaults to the title.
  int MessageBox(const String& text, const String& caption, uint32_t flags);

  // To be called inside a catch block: EAbort is silent; other errors go to OnException when it
  // is set, else to ShowException.
  void HandleException(TObject* sender);
  // An error box with the error's message.
  void ShowException(const Exception& error);
  // Delivers every posted message.
  void ProcessMessages();
  // The main form was closed: modal loops end with Cancel.
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Runs the update pass of every shown form.
  void UpdateActions();

  TExceptionEvent OnException;

 protected:
  TApplication() = default;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TCustomForm* FMainForm = nullptr;
  String FTitle = "RodODOriv";
  bool FTerminated = false;
};

// The application and the screen of the process, made when the library is loaded.
extern TApplication* Application;
extern TScreen* Screen;
