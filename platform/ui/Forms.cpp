#include "platform/ui/Forms.h"

#include <algorithm>
#include <deque>

#include "platform/rtl/MessageSink.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/PropertyTables.h"

RTL_CLASS_IMPL(TCustomForm, TWinControl)
RTL_CLASS_IMPL_CREATABLE(TForm, TCustomForm)
RTL_CLASS_IMPL(TScreen, TComponent)
RTL_CLASS_IMPL(TApplication, TComponent)

TApplication* Application = TApplication::Create(nullptr);
TScreen* Screen = TScreen::Create(nullptr);

namespace {

const char* const CannotFocus = "Cannot focus a disabled or invisible window";

// The runtime layer's plain messages become the application's message boxes.
const bool MessageSinkInstalled =
    (SetMessageSink([](const TMessageRequest& request) {
       return Application->MessageBox(request.Text, request.Caption, request.Flags);
     }),
     true);

const bool FormPropertiesRegistered =
    RegisterProperties(TCustomForm::ClassInfo(), {CaptionProperty<TCustomForm>()});

std::deque<TMsg>& PostedMessages() {
  static std::deque<TMsg> messages;
  return messages;
}

bool MessageIsFor(const TMsg& msg, HWND window) {
  if (window == 0 || msg.Hwnd == window) return true;
  TWinControl* filter = FindControl(window);
  TWinControl* target = FindControl(msg.Hwnd);
  return filter && target && filter->ContainsControl(target);
}

// Every windowed control that takes part in tabbing, depth first in tab order.
void CollectTabStops(const TWinControl* parent, std::vector<TWinControl*>& stops) {
  for (TWinControl* control : parent->TabOrderList()) {
    if (!control->Visible() || !control->Enabled()) continue;
    if (control->TabStop()) stops.push_back(control);
    CollectTabStops(control, stops);
  }
}

// Offers the key to the controls, depth first, until one takes it.
bool BroadcastDialogKey(TWinControl* parent, uint16_t key, TShiftState shift) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (control->Perform(CM_DIALOGKEY, key, shift) != 0) return true;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
      if (BroadcastDialogKey(windowed, key, shift)) return true;
  }
  return false;
}

void InitiateActions(TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Visible()) continue;
    control->InitiateAction();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) InitiateActions(windowed);
  }
}

TPoint CentredOn(const TRect& area, int width, int height) {
  return {area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2};
}

}  // namespace

// --- TModalSession ---------------------------------------------------------------------------

bool TModalSession::Ended() {
  if (FEnded || !FForm) return FEnded = true;
  if (Application->Terminated()) {
    FForm->FModalResult = mrCancel;
    return FEnded = true;
  }
  if (FForm->FModalResult == mrNone) return false;
  FForm->CloseModal();
  FEnded = !FForm || FForm->FModalResult != mrNone;
  return FEnded;
}

// --- TCustomForm: construction and destruction -----------------------------------------------

void TCustomForm::Construct(TComponent* owner) {
  inherited::Construct(owner);
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
  SetComponentState(csLoading | csReading);
  FReading = true;
  ReadResource();
  FinishReading();
  if (FOldCreateOrder) DoCreate();
}

void TCustomForm::FinishReading() {
  FReading = false;
  ClearComponentState(csReading);
  const std::vector<TComponent*> read = std::move(FReadComponents);
  FReadComponents.clear();
  for (TComponent* component : read) component->FinishLoading();
  Loaded();
  LayoutLoaded();
}

void TCustomForm::AfterConstruction() {
  inherited::AfterConstruction();
  if (FOldCreateOrder) return;
  try {
    DoCreate();
  } catch (...) {
    Free();
    throw;
  }
}

void TCustomForm::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (FModalSession) {
    FModalSession->FormGone();
    FModalSession = nullptr;
  }
  if (Visible()) {
    try {
      Hide();
    } catch (...) {
      Application->HandleException(this);
    }
  }
  if (!FOldCreateOrder) DestroyOnce();
}

void TCustomForm::DestroyOnce() {
  if (FDestroyHandled) return;
  FDestroyHandled = true;
  try {
    DoDestroy();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TCustomForm::Destroy() {
  *FAlive = false;
  if (FOldCreateOrder) DestroyOnce();
  if (FModalSession) {
    FModalSession->FormGone();
    FModalSession = nullptr;
  }
  Screen->RemoveForm(this);
  SetActiveControl(nullptr);
  inherited::Destroy();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opInsert) {
    if (FReading && component->Owner() == this) {
      component->MarkLoading();
      FReadComponents.push_back(component);
    }
    return;
  }
  FReadComponents.erase(std::remove(FReadComponents.begin(), FReadComponents.end(), component),
                        FReadComponents.end());
  if (component == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

// --- TCustomForm: showing and closing --------------------------------------------------------

void TCustomForm::VisibleChanged() {
  if (FChangingVisible) throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
  FChangingVisible = true;
  Finally reset([this] { FChangingVisible = false; });
  if (Visible())
    BecomeShown();
  else if (FShown)
    BecomeHidden();
}

void TCustomForm::BecomeShown() {
  // OnShow may focus a control; it is entered once the window is up, below.
  DoShow();
  FShown = true;
  PlaceOnScreen();
  WidgetSet()->FormShown(this);
  Screen->FormShown(this);
  if (!FActiveControl)
    SelectFirst();
  else
    FActiveControl->DoEnter();
}

void TCustomForm::BecomeHidden() {
  FShown = false;
  DoHide();
  WidgetSet()->FormHidden(this);
  Screen->FormHidden(this);
}

void TCustomForm::PlaceOnScreen() {
  const TRect screen = Rect(0, 0, Screen->Width(), Screen->Height());
  TCustomForm* mainForm = Application->MainForm();
  auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
  const TCustomForm* centre = nullptr;
  switch (FPosition) {
    case poMainFormCenter:
      centre = mainForm;
      break;
    case poOwnerFormCenter:
      centre = ownerForm ? ownerForm : mainForm;
      break;
    default:
      break;
  }
  if (centre == this || (centre && !centre->Visible())) centre = nullptr;
  if (FPosition == poScreenCenter || FPosition == poDesktopCenter ||
      FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
    const TPoint at = CentredOn(centre ? centre->BoundsRect() : screen, Width(), Height());
    SetBounds(at.X, at.Y, Width(), Height());
  }
  if (FWindowState == wsMaximized) ApplyMaximized();
}

void TCustomForm::ApplyMaximized() {
  const TRect work = Screen->WorkAreaRect();
  TMinMaxInfo info;
  info.MaxPosition = {work.Left, work.Top};
  info.MaxSize = {work.Width(), work.Height()};
  info.MaxTrackSize = info.MaxSize;
  Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
  SetBounds(info.MaxPosition.X, info.MaxPosition.Y, info.MaxSize.X, info.MaxSize.Y);
}

void TCustomForm::SetWindowState(TWindowState value) {
  if (FWindowState == value) return;
  if (FWindowState == wsNormal) FNormalBounds = BoundsRect();
  FWindowState = value;
  if (!Visible()) return;
  if (value == wsMaximized)
    ApplyMaximized();
  else if (value == wsNormal)
    SetBounds(FNormalBounds.Left, FNormalBounds.Top, FNormalBounds.Width(), FNormalBounds.Height());
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FShown) Screen->FormShown(this);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModalSession)
    throw EInvalidOperation("Cannot make a visible window modal");
  const std::shared_ptr<bool> alive = FAlive;
  TModalSession session(this);
  FModalSession = &session;
  auto leaveModal = [this, &session] {
    if (!session.Form()) return;
    FModalSession = nullptr;
    Hide();
  };
  try {
    Show();
    if (!*alive) return mrCancel;
    FModalResult = mrNone;
    WidgetSet()->RunModal(session);
  } catch (...) {
    try {
      leaveModal();
    } catch (...) {
      Application->HandleException(this);
    }
    throw;
  }
  if (!*alive) return mrCancel;
  const TModalResult result = FModalResult;
  leaveModal();
  return result;
}

void TCustomForm::CloseModal() {
  const std::shared_ptr<bool> alive = FAlive;
  TCloseAction action = caNone;
  try {
    if (CloseQuery()) {
      if (!*alive) return;
      action = caHide;
      DoClose(action);
    }
  } catch (...) {
    if (*alive) FModalResult = mrNone;
    throw;
  }
  if (!*alive) return;
  if (action == caNone)
    FModalResult = mrNone;
  else if (action == caFree)
    Release();
}

void TCustomForm::Close() {
  if (FModalSession) {
    FModalResult = mrCancel;
    return;
  }
  const std::shared_ptr<bool> alive = FAlive;
  if (!CloseQuery() || !*alive) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (!*alive) return;
  switch (action) {
    case caNone:
      break;
    case caHide:
      if (Application->MainForm() == this) Application->Terminate();
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Release();
      break;
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE); }

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::Active() const { return Screen->ActiveForm() == this; }

void TCustomForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_RELEASE:
      Free();
      return;
    case WM_CLOSE:
      Close();
      return;
    default:
      inherited::WndProc(message);
  }
}

// --- TCustomForm: frame ----------------------------------------------------------------------

int TCustomForm::FrameWidth() const { return FBorderStyle == TFormBorderStyle::bsNone ? 0 : 4; }

int TCustomForm::CaptionHeight() const {
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
      return 0;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
      return 18;
    default:
      return 23;
  }
}

int TCustomForm::ClientWidth() const { return std::max(0, Width() - 2 * FrameWidth()); }

int TCustomForm::ClientHeight() const {
  return std::max(0, Height() - CaptionHeight() - 2 * FrameWidth());
}

TPoint TCustomForm::ClientOrigin() const {
  return {Left() + FrameWidth(), Top() + FrameWidth() + CaptionHeight()};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (FBorderStyle == value) return;
  // The client area keeps its size: the frame grows or shrinks around it.
  const int clientWidth = ClientWidth();
  const int clientHeight = ClientHeight();
  FBorderStyle = value;
  SetClientWidth(clientWidth);
  SetClientHeight(clientHeight);
}

// --- TCustomForm: focus and keys -------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (FActiveControl == control) return;
  if (control && (control == this || GetParentForm(control) != this ||
                  (!FReading && !Loading() && !control->CanFocus())))
    throw EInvalidOperation(CannotFocus);
  TWinControl* previous = FActiveControl;
  if (previous) previous->RemoveFreeNotification(this);
  FActiveControl = control;
  if (control) control->FreeNotification(this);
  if (!FShown || Loading()) return;
  if (previous) previous->DoExit();
  if (control && FActiveControl == control) control->DoEnter();
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (!Visible() || !Enabled()) throw EInvalidOperation(CannotFocus);
  SetActiveControl(control);
}

void TCustomForm::DefocusControl(TWinControl* control) {
  if (!FActiveControl || !control->ContainsControl(FActiveControl)) return;
  FActiveControl->RemoveFreeNotification(this);
  FActiveControl = nullptr;
}

void TCustomForm::SelectFirst() {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  if (!stops.empty()) SetActiveControl(stops.front());
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  if (stops.empty()) return;
  if (!forward) std::reverse(stops.begin(), stops.end());
  auto it = std::find(stops.begin(), stops.end(), current);
  it = (it == stops.end() || it + 1 == stops.end()) ? stops.begin() : it + 1;
  SetActiveControl(*it);
}

void TCustomForm::UpdateActions() {
  if (!Visible()) return;
  InitiateActions(this);
}

bool TCustomForm::IsShortCut(TShortCut shortCut) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
      if (list->IsShortCut(shortCut)) return true;
  return false;
}

bool TCustomForm::DialogKey(uint16_t key, TShiftState shift) {
  if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
    SelectNext(FActiveControl, !(shift & ssShift));
    return true;
  }
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  return BroadcastDialogKey(this, key, shift);
}

// --- TScreen ---------------------------------------------------------------------------------

int TScreen::Width() const { return WidgetSet()->ScreenRect().Width(); }
int TScreen::Height() const { return WidgetSet()->ScreenRect().Height(); }
TRect TScreen::WorkAreaRect() const { return WidgetSet()->WorkArea(); }

TCustomForm* TScreen::ActiveForm() const {
  return FShownForms.empty() ? nullptr : FShownForms.back();
}

TWinControl* TScreen::ActiveControl() const {
  const TCustomForm* form = ActiveForm();
  return form ? form->ActiveControl() : nullptr;
}

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) ListIndexError(index);
  return FForms[static_cast<size_t>(index)];
}

void TScreen::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
  FShownForms.erase(std::remove(FShownForms.begin(), FShownForms.end(), form), FShownForms.end());
}

void TScreen::FormShown(TCustomForm* form) {
  TCustomForm* previous = ActiveForm();
  if (previous == form) return;
  FShownForms.erase(std::remove(FShownForms.begin(), FShownForms.end(), form), FShownForms.end());
  FShownForms.push_back(form);
  if (previous) previous->Deactivate();
  form->Activate();
}

void TScreen::FormHidden(TCustomForm* form) {
  const bool wasActive = ActiveForm() == form;
  FShownForms.erase(std::remove(FShownForms.begin(), FShownForms.end(), form), FShownForms.end());
  if (!wasActive) return;
  form->Deactivate();
  if (TCustomForm* next = ActiveForm()) next->Activate();
}

// --- posted messages -------------------------------------------------------------------------

bool PostMessage(HWND window, uint32_t message, intptr_t wParam, intptr_t lParam) {
  if (!FindControl(window)) return false;
  PostedMessages().push_back({window, message, wParam, lParam});
  return true;
}

bool PeekMessage(TMsg& msg, HWND window, bool remove) {
  auto& messages = PostedMessages();
  const auto it = std::find_if(messages.begin(), messages.end(),
                               [window](const TMsg& m) { return MessageIsFor(m, window); });
  if (it == messages.end()) return false;
  msg = *it;
  if (remove) messages.erase(it);
  return true;
}

void DispatchMessage(const TMsg& msg) {
  if (TWinControl* control = FindControl(msg.Hwnd))
    control->Perform(msg.Message, msg.WParam, msg.LParam);
}

// --- TApplication ----------------------------------------------------------------------------

void TApplication::SetMainForm(TCustomForm* form) {
  if (FMainForm == form) return;
  if (FMainForm) FMainForm->RemoveFreeNotification(this);
  FMainForm = form;
  if (FMainForm) FMainForm->FreeNotification(this);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FMainForm) FMainForm = nullptr;
}

int TApplication::MessageBox(const String& text, const String& caption, uint32_t flags) {
  TMessageBoxRequest request;
  request.Text = text;
  request.Caption = caption.empty() ? FTitle : caption;
  request.Flags = flags;
  if (TCustomForm* form = Screen->ActiveForm()) request.Owner = form->Handle();
  return WidgetSet()->MessageBox(request);
}

void TApplication::HandleException(TObject* sender) {
  if (!std::current_exception()) return;
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& error) {
    if (OnException)
      OnException(sender, error);
    else
      ShowException(error);
  } catch (const std::exception& error) {
    const Exception wrapped(error.what());
    if (OnException)
      OnException(sender, wrapped);
    else
      ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& error) {
  String text = error.Message();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONERROR);
}

void TApplication::ProcessMessages() {
  TMsg msg;
  while (PeekMessage(msg, 0, true)) DispatchMessage(msg);
}

void TApplication::UpdateActions() {
  for (int i = 0; i < Screen->FormCount(); ++i) Screen->Forms(i)->UpdateActions();
}
