#include "platform/ws/headless/HeadlessWidgetSet.h"

#include <algorithm>

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Menus.h"

namespace {

struct TReplyButton {
  const char* Reply;
  int Button;
};
constexpr TReplyButton ReplyButtons[] = {
    {"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},      {"no", IDNO},
    {"abort", IDABORT}, {"retry", IDRETRY},   {"ignore", IDIGNORE}};

int ButtonOfReply(const String& reply) {
  for (const TReplyButton& entry : ReplyButtons)
    if (SameText(entry.Reply, reply)) return entry.Button;
  return 0;
}

String ReplyOfButton(int button) {
  for (const TReplyButton& entry : ReplyButtons)
    if (entry.Button == button) return entry.Reply;
  return IntToStr(button);
}

// The first showing grid of the window, depth first.
TCustomDBGrid* FirstShowingGrid(const TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Visible()) continue;
    if (auto* grid = dynamic_cast<TCustomDBGrid*>(control)) return grid;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
      if (TCustomDBGrid* grid = FirstShowingGrid(windowed)) return grid;
  }
  return nullptr;
}

TComponent* FindOwned(const TComponent* owner, const String& name) {
  if (TComponent* component = owner->FindComponent(name)) return component;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (TComponent* component = FindOwned(owner->Components(i), name)) return component;
  return nullptr;
}

TMenuItem* FindMenuItem(const TMenuItem* parent, const String& name) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (SameText(item->Name(), name)) return item;
    if (TMenuItem* found = FindMenuItem(item, name)) return found;
  }
  return nullptr;
}

void ListMenuItems(const TMenuItem* parent, const String& indent, std::vector<String>& lines) {
  for (int i = 0; i < parent->Count(); ++i) {
    const TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    lines.push_back(indent + item->Caption() + (item->Enabled() ? "" : " (disabled)"));
    ListMenuItems(item, indent + "  ", lines);
  }
}

bool ItemReachable(const TMenuItem* item) {
  for (; item && item->Parent(); item = item->Parent())
    if (!item->Visible() || !item->Enabled()) return false;
  return true;
}

class THeadlessWaitWindow : public TWaitWindow {
 public:
  THeadlessWaitWindow(std::shared_ptr<TOperatorRecord> record, int entry)
      : FRecord(std::move(record)), FEntry(entry) {}
  void SetText(const String& text) override { FRecord->Entry(FEntry).Lines.push_back(text); }

 private:
  std::shared_ptr<TOperatorRecord> FRecord;
  int FEntry;
};

// Counts its steps; from the step the operator chose on, it answers that the user cancelled.
class THeadlessProgressWindow : public TProgressWindow {
 public:
  THeadlessProgressWindow(std::shared_ptr<TOperatorRecord> record, int entry, int cancelAt)
      : FRecord(std::move(record)), FEntry(entry), FCancelAt(cancelAt) {}
  void SetText(const String& text) override { Entry().Lines.push_back(text); }
  void SetStage(const String& text, int maximum) override {
    Entry().Lines.push_back(text);
    Entry().Maximum = maximum;
  }
  void Reset(const String& caption, const String& text, int maximum) override {
    Entry().Lines.push_back(caption + ": " + text);
    Entry().Maximum = maximum;
  }
  bool Step(const String&) override {
    TRecordEntry& entry = Entry();
    if (entry.CancelledAtStep) return false;
    ++entry.Steps;
    if (FCancelAt == 0 || entry.Steps < FCancelAt) return true;
    entry.CancelledAtStep = entry.Steps;
    return false;
  }

 private:
  TRecordEntry& Entry() { return FRecord->Entry(FEntry); }
  std::shared_ptr<TOperatorRecord> FRecord;
  int FEntry;
  int FCancelAt;
};

}  // namespace

// --- TStepContext ----------------------------------------------------------------------------

TOperatorRecord& TStepContext::Record() const { return FWidgetSet.Record(); }

void TStepContext::Fail(const String& reason) const {
  throw EOperatorError("Operator " + FStep.Describe() + ": " + reason);
}

TCustomDBGrid* TStepContext::ActiveGrid() const {
  TCustomDBGrid* grid = FWidgetSet.ActiveGrid();
  if (!grid) Fail("the window \"" + FWindow->Caption() + "\" has no grid");
  return grid;
}

TComponent* TStepContext::Component(const String& name) const {
  TComponent* component = FindOwned(FWindow, name);
  if (!component) Fail("the window \"" + FWindow->Caption() + "\" has no component " + name);
  return component;
}

void TStepContext::RequireInput(const TControl* control) const {
  if (CanReceiveInput(control)) return;
  Fail(control->Name() + (control->Showing() ? " is disabled" : " is not shown"));
}

// --- THeadlessWidgetSet ----------------------------------------------------------------------

THeadlessWidgetSet::THeadlessWidgetSet(const String& script)
    : FRecord(std::make_shared<TOperatorRecord>()) {
  AddSteps(script);
}

THeadlessWidgetSet::~THeadlessWidgetSet() {
  if (::WidgetSet() == this) SetWidgetSet(nullptr);
}

void THeadlessWidgetSet::AddSteps(const String& script) {
  for (TOperatorStep& step : ParseOperatorScript(script, FStepCount + 1)) {
    FSteps.push_back(std::move(step));
    ++FStepCount;
  }
}

std::optional<TOperatorStep> THeadlessWidgetSet::TakeReply(const String& verb) {
  const auto queued = std::find_if(FReplies.begin(), FReplies.end(),
                                   [&](const TOperatorStep& step) { return step.Verb == verb; });
  if (queued != FReplies.end()) {
    TOperatorStep step = *queued;
    FReplies.erase(queued);
    return step;
  }
  if (FSteps.empty() || FSteps.front().Verb != verb) return std::nullopt;
  TOperatorStep step = FSteps.front();
  FSteps.pop_front();
  return step;
}

TCustomForm* THeadlessWidgetSet::TopWindow() const {
  return FFrames.empty() ? nullptr : FFrames.back()->Session->Form();
}

TCustomDBGrid* THeadlessWidgetSet::ActiveGrid() const {
  return FFrames.empty() ? nullptr : ActiveGridOf(*FFrames.back());
}

void THeadlessWidgetSet::NoteActiveGrid(TModalFrame& frame) {
  auto* grid = dynamic_cast<TCustomDBGrid*>(frame.Session->Form()->ActiveControl());
  if (grid && (!frame.LastGrid || frame.LastGrid->Target() != grid))
    frame.LastGrid = std::make_unique<TComponentWatch>(grid);
}

TCustomDBGrid* THeadlessWidgetSet::ActiveGridOf(const TModalFrame& frame) const {
  TCustomForm* window = frame.Session->Form();
  if (!window) return nullptr;
  auto* focused = dynamic_cast<TCustomDBGrid*>(window->ActiveControl());
  if (focused && focused->Showing()) return focused;
  auto* last = frame.LastGrid ? dynamic_cast<TCustomDBGrid*>(frame.LastGrid->Target()) : nullptr;
  if (last && GetParentForm(last) == window && last->Showing()) return last;
  return FirstShowingGrid(window);
}

template <class F>
void THeadlessWidgetSet::Guarded(const String& what, TModalSession& session, F&& action) {
  const auto noteError = [&](const char* className, const String& message) {
    TRecordEntry entry;
    entry.Kind = TRecordKind::HandlerError;
    entry.Caption = className;
    entry.Text = what + " raised " + className + ": " + message;
    FRecord->Add(entry);
  };
  try {
    action();
  } catch (const EOperatorError&) {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& error) {
    noteError(error.ClassName(), error.Message());
    if (FHandlerErrors == THandlerErrors::Propagate) throw;
    Application->HandleException(session.Form());
  } catch (const std::exception& error) {
    noteError("std::exception", error.what());
    if (FHandlerErrors == THandlerErrors::Propagate) throw;
    Application->HandleException(session.Form());
  }
}

void THeadlessWidgetSet::RunModal(TModalSession& session) {
  TModalFrame frame{&session, nullptr};
  FFrames.push_back(&frame);
  Finally leave([this] { FFrames.pop_back(); });
  while (!Ended(session)) {
    Application->ProcessMessages();
    if (!session.Form()) return;
    if (session.Form()->ModalResult() != mrNone) continue;
    session.Form()->UpdateActions();
    if (!session.Form()) return;
    NoteActiveGrid(frame);
    if (FSteps.empty()) return CloseAtScriptEnd(session);
    RunNextStep(frame);
  }
}

bool THeadlessWidgetSet::Ended(TModalSession& session) {
  bool ended = false;
  const String caption = session.Form() ? session.Form()->Caption() : String();
  Guarded("closing the window \"" + caption + "\"", session, [&] { ended = session.Ended(); });
  return ended;
}

void THeadlessWidgetSet::CloseAtScriptEnd(TModalSession& session) {
  const String caption = session.Form()->Caption();
  TRecordEntry entry;
  entry.Kind = TRecordKind::ScriptEnded;
  entry.Caption = caption;
  entry.Text = "the window \"" + caption + "\" was still open: closed with Cancel";
  FRecord->Add(entry);
  session.Form()->SetModalResult(mrCancel);
  if (!Ended(session))
    throw EOperatorError("The operator's script ended while the window \"" + caption +
                         "\" was open, and the window refused to close with Cancel");
}

void THeadlessWidgetSet::RunNextStep(TModalFrame& frame) {
  const TOperatorStep step = FSteps.front();
  FSteps.pop_front();
  Guarded(step.Describe(), *frame.Session, [&] { RunStep(step, frame.Session->Form()); });
}

void THeadlessWidgetSet::RunStep(const TOperatorStep& step, TCustomForm* window) {
  TStepContext context(*this, step, window);
  if (RunBuiltInStep(context)) return;
  const TOperatorStepHandler handler = FindOperatorStepHandler(step.Verb);
  if (!handler) context.Fail("nothing is registered to run \"" + step.Verb + "\"");
  handler(context);
}

int THeadlessWidgetSet::MessageBox(const TMessageBoxRequest& request) {
  const std::vector<int> buttons = MessageBoxButtons(request.Flags);
  const bool hasOk = std::find(buttons.begin(), buttons.end(), IDOK) != buttons.end();
  int button = hasOk ? IDOK : DefaultMessageBoxButton(request.Flags);
  if (const std::optional<TOperatorStep> reply = TakeReply("answer")) {
    button = ButtonOfReply(reply->Argument);
    if (std::find(buttons.begin(), buttons.end(), button) == buttons.end())
      throw EOperatorError("Operator " + reply->Describe() + ": the message box \"" + request.Text +
                           "\" has no " + LowerCase(reply->Argument) + " button");
  }
  TRecordEntry entry;
  entry.Kind = TRecordKind::MessageBox;
  entry.Caption = request.Caption;
  entry.Text = request.Text;
  entry.Flags = request.Flags;
  if (const TWinControl* owner = FindControl(request.Owner)) entry.Owner = owner->Name();
  entry.Reply = ReplyOfButton(button);
  FRecord->Add(entry);
  return button;
}

void THeadlessWidgetSet::MessageBeep(uint32_t type) {
  TRecordEntry entry;
  entry.Kind = TRecordKind::Beep;
  entry.Flags = type;
  FRecord->Add(entry);
}

TMenuItem* THeadlessWidgetSet::TrackPopupMenu(TPopupMenu* menu, TPoint) {
  TRecordEntry entry;
  entry.Kind = TRecordKind::PopupMenu;
  entry.Caption = menu->Name();
  ListMenuItems(menu->Items(), String(), entry.Lines);
  FRecord->Add(entry);
  if (FSteps.empty() || FSteps.front().Verb != "click") return nullptr;
  TMenuItem* item = FindMenuItem(menu->Items(), FSteps.front().Argument);
  if (!item) return nullptr;
  const TOperatorStep step = FSteps.front();
  FSteps.pop_front();
  if (!ItemReachable(item))
    throw EOperatorError("Operator " + step.Describe() + ": the menu item " + item->Name() +
                         " is hidden or disabled");
  return item;
}

void THeadlessWidgetSet::ShowListWindow(const String& caption, const std::vector<String>& lines) {
  TRecordEntry entry;
  entry.Kind = TRecordKind::ListWindow;
  entry.Caption = caption;
  entry.Lines = lines;
  FRecord->Add(entry);
}

void THeadlessWidgetSet::OpenDocument(const String& path) {
  TRecordEntry entry;
  entry.Kind = TRecordKind::Document;
  entry.Text = path;
  FRecord->Add(entry);
}

std::unique_ptr<TWaitWindow> THeadlessWidgetSet::ShowWaitWindow(const String& text) {
  TRecordEntry entry;
  entry.Kind = TRecordKind::WaitWindow;
  entry.Text = text;
  return std::make_unique<THeadlessWaitWindow>(FRecord, FRecord->Add(entry));
}

std::unique_ptr<TProgressWindow> THeadlessWidgetSet::ShowProgressWindow(const String& caption,
                                                                        const String& text,
                                                                        int maximum) {
  const std::optional<TOperatorStep> reply = TakeReply("cancel-progress");
  TRecordEntry entry;
  entry.Kind = TRecordKind::ProgressWindow;
  entry.Caption = caption;
  entry.Text = text;
  entry.Maximum = maximum;
  const int index = FRecord->Add(entry);
  return std::make_unique<THeadlessProgressWindow>(FRecord, index,
                                                   reply ? StrToInt(reply->Argument) : 0);
}

// --- THeadlessScope --------------------------------------------------------------------------

THeadlessScope::THeadlessScope(const String& script)
    : FWidgetSet(script), FPrevious(SetWidgetSet(&FWidgetSet)) {}

THeadlessScope::~THeadlessScope() { SetWidgetSet(FPrevious); }
