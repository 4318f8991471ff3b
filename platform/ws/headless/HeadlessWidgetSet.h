// The headless widget set: every modal window runs under the operator, a script of steps
// (OPERATOR.md) applied to the topmost modal window, nested windows included. Before each step
// the posted messages are delivered and the window's actions updated, as at the platform's
// idle time. A script that runs out while a window is open closes it with Cancel (recorded);
// a window that refuses even that ends the run with EOperatorError. Nothing ever waits.
//
// Message boxes, list, wait and progress windows, popup menus, beeps and the documents opened
// (nothing is started for them) are recorded in order (OperatorRecord.h). A message box takes
// the reply queued by an "answer" step, or the step right after the one that made it show when
// that is an "answer"; without one it answers OK (or its default button when it has no OK). A
// progress window takes a "cancel-progress" step the same way; a popup menu takes a "click" of one
// of its items that follows at once.
//
// A step that cannot apply raises EOperatorError naming the step. An error raised by the
// window's own code while a step runs reaches the caller of ShowModal (the windows are closed
// on the way), unless HandlerErrors is Report: then it goes to Application->HandleException
// as the platform's message loop would, and the script goes on. EAbort is silent either way.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/DBGrids.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WidgetSet.h"
#include "platform/ws/Input.h"
#include "platform/ws/headless/OperatorRecord.h"
#include "platform/ws/headless/OperatorScript.h"

class THeadlessWidgetSet;

// What a step sees: the step, the topmost modal window and the widget set.
class TStepContext {
 public:
  TStepContext(THeadlessWidgetSet& widgetSet, const TOperatorStep& step, TCustomForm* window)
      : FWidgetSet(widgetSet), FStep(step), FWindow(window) {}

  const TOperatorStep& Step() const { return FStep; }
  TCustomForm* Window() const { return FWindow; }
  THeadlessWidgetSet& WidgetSet() const { return FWidgetSet; }
  TOperatorRecord& Record() const;

  // The window's active grid: the focused grid, else the grid focused last in this window, else
  // its first showing grid; fails the step when it has none.
  TCustomDBGrid* ActiveGrid() const;
  // A component of the window by name (its own or owned by one of them); fails the step when
  // there is none.
  TComponent* Component(const String& name) const;
  template <class T>
  T* ComponentAs(const String& name, const char* kindName) const {
    auto* component = dynamic_cast<T*>(Component(name));
    if (!component) Fail(name + " is not " + kindName);
    return component;
  }
  // Fails the step unless the user could reach the control.
  void RequireInput(const TControl* control) const;
  [[noreturn]] void Fail(const String& reason) const;

 private:
  THeadlessWidgetSet& FWidgetSet;
  const TOperatorStep& FStep;
  TCustomForm* FWindow;
};

enum class THandlerErrors { Propagate, Report };

class THeadlessWidgetSet : public TWidgetSet {
 public:
  explicit THeadlessWidgetSet(const String& script = String());
  ~THeadlessWidgetSet() override;
  THeadlessWidgetSet(const THeadlessWidgetSet&) = delete;
  THeadlessWidgetSet& operator=(const THeadlessWidgetSet&) = delete;

  // Adds the steps of a script after those still to run.
  void AddSteps(const String& script);
  int PendingSteps() const { return static_cast<int>(FSteps.size()); }
  TOperatorRecord& Record() { return *FRecord; }
  const TOperatorRecord& Record() const { return *FRecord; }
  // The field whose column tick and tickrow click ("RCHECK" unless set).
  const String& CheckFieldName() const { return FCheckFieldName; }
  void SetCheckFieldName(const String& value) { FCheckFieldName = value; }
  THandlerErrors HandlerErrors() const { return FHandlerErrors; }
  void SetHandlerErrors(THandlerErrors value) { FHandlerErrors = value; }

  // A reply for a window that asks the operator: one queued by a step of that verb, else the
  // next step when it has that verb (it is taken from the script). Empty when there is none.
  std::optional<TOperatorStep> TakeReply(const String& verb);
  void QueueReply(const TOperatorStep& step) { FReplies.push_back(step); }
  // The topmost modal window, nullptr outside modal runs.
  TCustomForm* TopWindow() const;
  // The active grid of the topmost window (see TStepContext::ActiveGrid); nullptr for none.
  TCustomDBGrid* ActiveGrid() const;

  void RunModal(TModalSession& session) override;
  int MessageBox(const TMessageBoxRequest& request) override;
  void MessageBeep(uint32_t type) override;
  TMenuItem* TrackPopupMenu(TPopupMenu* menu, TPoint at) override;
  void ShowListWindow(const String& caption, const std::vector<String>& lines) override;
  void OpenDocument(const String& path) override;
  std::unique_ptr<TWaitWindow> ShowWaitWindow(const String& text) override;
  std::unique_ptr<TProgressWindow> ShowProgressWindow(const String& caption, const String& text,
                                                      int maximum) override;

 private:
  struct TModalFrame {
    TModalSession* Session;
    std::unique_ptr<TComponentWatch> LastGrid;
  };

  void RunNextStep(TModalFrame& frame);
  void RunStep(const TOperatorStep& step, TCustomForm* window);
  // Runs the window's own code (a step, a close query) under the error policy; what names the
  // occasion in the record.
  template <class F>
  void Guarded(const String& what, TModalSession& session, F&& action);
  bool Ended(TModalSession& session);
  void CloseAtScriptEnd(TModalSession& session);
  void NoteActiveGrid(TModalFrame& frame);
  TCustomDBGrid* ActiveGridOf(const TModalFrame& frame) const;

  std::deque<TOperatorStep> FSteps;
  std::deque<TOperatorStep> FReplies;
  int FStepCount = 0;
  std::shared_ptr<TOperatorRecord> FRecord;
  std::vector<TModalFrame*> FFrames;
  String FCheckFieldName = "RCHECK";
  THandlerErrors FHandlerErrors = THandlerErrors::Propagate;
};

// Installs a headless widget set for a scope and puts back the one installed before.
class THeadlessScope {
 public:
  explicit THeadlessScope(const String& script = String());
  ~THeadlessScope();
  THeadlessScope(const THeadlessScope&) = delete;
  THeadlessScope& operator=(const THeadlessScope&) = delete;

  THeadlessWidgetSet& WidgetSet() { return FWidgetSet; }
  TOperatorRecord& Record() { return FWidgetSet.Record(); }

 private:
  THeadlessWidgetSet FWidgetSet;
  TWidgetSet* FPrevious;
};

// What the window shows: caption, showing named controls, grids with their rows.
TWindowDump DumpWindow(TCustomForm* window);

// Runs a built-in step; false for a verb that is not built in.
bool RunBuiltInStep(TStepContext& context);
