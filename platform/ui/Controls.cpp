#include "platform/ui/Controls.h"

#include <algorithm>
#include <map>

#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/PropertyTables.h"
#include "platform/ui/WidgetSet.h"

RTL_CLASS_IMPL(TControl, TComponent)
RTL_CLASS_IMPL(TWinControl, TControl)
RTL_CLASS_IMPL(TGraphicControl, TControl)
RTL_CLASS_IMPL(TCustomControl, TWinControl)

namespace {

std::map<HWND, TWinControl*>& Handles() {
  static std::map<HWND, TWinControl*> handles;
  return handles;
}

HWND NewHandle() {
  static HWND last = 0x100;
  last += 4;
  return last;
}

template <class T>
TPropInfo IntProperty(const char* name, int (T::*get)() const, void (T::*set)(int)) {
  return ValueProperty<T>(
      name, [get](const T* c) { return Variant((c->*get)()); },
      [set](T* c, const Variant& v) { (c->*set)(v.AsInteger()); });
}

const bool ControlPropertiesRegistered = RegisterProperties(
    TControl::ClassInfo(),
    {HintProperty<TControl>(),
     ValueProperty<TControl>(
         "Visible", [](const TControl* c) { return Variant(c->Visible()); },
         [](TControl* c, const Variant& v) { c->SetVisible(v.AsBoolean()); }),
     ValueProperty<TControl>(
         "Enabled", [](const TControl* c) { return Variant(c->Enabled()); },
         [](TControl* c, const Variant& v) { c->SetEnabled(v.AsBoolean()); }),
     IntProperty<TControl>("Left", &TControl::Left, &TControl::SetLeft),
     IntProperty<TControl>("Top", &TControl::Top, &TControl::SetTop),
     IntProperty<TControl>("Width", &TControl::Width, &TControl::SetWidth),
     IntProperty<TControl>("Height", &TControl::Height, &TControl::SetHeight),
     ObjectProperty<TControl>("Font", [](const TControl* c) { return c->Font(); })});

// Aligned controls of one kind in the order they take their side: those nearest to it first.
std::vector<TControl*> AlignedControls(const std::vector<TControl*>& controls, TAlign align) {
  std::vector<TControl*> result;
  for (TControl* control : controls)
    if (control->Visible() && control->Align() == align) result.push_back(control);
  std::stable_sort(result.begin(), result.end(), [align](TControl* a, TControl* b) {
    switch (align) {
      case alTop:
        return a->Top() < b->Top();
      case alBottom:
        return a->Top() + a->Height() > b->Top() + b->Height();
      case alLeft:
        return a->Left() < b->Left();
      case alRight:
        return a->Left() + a->Width() > b->Left() + b->Width();
      default:
        return false;
    }
  });
  return result;
}

}  // namespace

// --- TControl --------------------------------------------------------------------------------

void TControl::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FFont = TFont::Create();
  FFont->OnChange = TNotifyEvent(this, &TControl::OwnFontChanged);
  WindowProc = TWndMethod(this, &TControl::WndProc);
}

void TControl::Destroy() {
  SetParent(nullptr);
  delete FActionLink;
  FActionLink = nullptr;
  SetPopupMenu(nullptr);
  FreeAndNil(FFont);
  inherited::Destroy();
}

void TControl::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (FParent == parent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

bool TControl::Showing() const {
  for (const TControl* control = this; control; control = control->FParent) {
    if (!control->FVisible) return false;
    if (control->Is<TCustomForm>()) return true;
  }
  return false;
}

void TControl::SetVisible(bool value) {
  if (FVisible == value) return;
  FVisible = value;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
  if (FParent && !Loading()) FParent->AlignControls();
  Invalidate();
}

void TControl::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED, value ? 1 : 0);
  Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  PlaceBounds(left, top, width, height);
  if (Loading()) return;
  UpdateAnchorRules();
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::PlaceBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (resized && !Loading()) Resize();
}

void TControl::UpdateAnchorRules() {
  if (!FParent) return;
  FAnchorRight = FParent->ClientWidth() - (FLeft + FWidth);
  FAnchorBottom = FParent->ClientHeight() - (FTop + FHeight);
}

void TControl::ApplyAnchors(int parentWidth, int parentHeight) {
  if (FAlign != alNone) return;
  int left = FLeft, top = FTop, width = FWidth, height = FHeight;
  if (FAnchors & akRight) {
    if (FAnchors & akLeft)
      width = parentWidth - FAnchorRight - left;
    else
      left = parentWidth - FAnchorRight - width;
  }
  if (FAnchors & akBottom) {
    if (FAnchors & akTop)
      height = parentHeight - FAnchorBottom - top;
    else
      top = parentHeight - FAnchorBottom - height;
  }
  PlaceBounds(left, top, width, height);
}

TPoint TControl::ClientOrigin() const {
  TPoint origin{FLeft, FTop};
  if (FParent) {
    const TPoint parent = FParent->ClientOrigin();
    origin.X += parent.X;
    origin.Y += parent.Y;
  }
  return origin;
}

void TControl::SetAlign(TAlign value) {
  if (FAlign == value) return;
  FAlign = value;
  if (FParent && !Loading()) FParent->AlignControls();
}

void TControl::SetAnchors(TAnchors value) {
  FAnchors = value;
  if (!Loading()) UpdateAnchorRules();
}

void TControl::SetText(const String& value) {
  if (FText == value) return;
  String text = value;
  Perform(WM_SETTEXT, 0, TextParam(text));
  Perform(CM_TEXTCHANGED);
}

bool TControl::ShowHint() const {
  return FParentShowHint && FParent ? FParent->ShowHint() : FShowHint;
}

void TControl::SetShowHint(bool value) {
  FShowHint = value;
  FParentShowHint = false;
}

void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value && FParent) ParentFontChangedTo(FParent->Font());
}

void TControl::ParentFontChangedTo(TFont* font) {
  if (!FParentFont || FFont->SameAs(*font)) return;
  FTakingParentFont = true;
  FFont->Assign(font);
  FTakingParentFont = false;
}

void TControl::OwnFontChanged(TObject*) {
  if (!FTakingParentFont) FParentFont = false;
  FontChanged();
  Invalidate();
}

TColor TControl::Color() const { return FParentColor && FParent ? FParent->Color() : FColor; }

void TControl::SetColor(TColor value) {
  FColor = value;
  FParentColor = false;
  Invalidate();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (FPopupMenu == menu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

TPopupMenu* TControl::GetPopupMenu() const {
  for (const TControl* control = this; control; control = control->FParent)
    if (control->FPopupMenu) return control->FPopupMenu;
  return nullptr;
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* action) {
  if (!action) {
    delete FActionLink;
    FActionLink = nullptr;
    return;
  }
  if (!FActionLink) FActionLink = new TActionLink(this, this);
  FActionLink->SetAction(action, Loading() || action->HasState(csLoading));
}

bool TControl::HasActionProperty(TActionProperty property) const {
  return property == apCaption || property == apHint || property == apEnabled ||
         property == apVisible;
}

Variant TControl::GetActionProperty(TActionProperty property) const {
  switch (property) {
    case apCaption:
      return Variant(Caption());
    case apHint:
      return Variant(FHint);
    case apEnabled:
      return Variant(FEnabled);
    case apVisible:
      return Variant(FVisible);
    default:
      return Variant();
  }
}

void TControl::SetActionProperty(TActionProperty property, const Variant& value) {
  switch (property) {
    case apCaption:
      SetCaption(value.AsString());
      break;
    case apHint:
      SetHint(value.AsString());
      break;
    case apEnabled:
      SetEnabled(value.AsBoolean());
      break;
    case apVisible:
      SetVisible(value.AsBoolean());
      break;
    default:
      break;
  }
}

intptr_t TControl::Perform(uint32_t msg, intptr_t wParam, intptr_t lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::Click() { ClickActionClient(this, OnClick, FActionLink); }

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() { WidgetSet()->Invalidate(this); }

void TControl::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

bool TControl::DoContextPopup(TPoint at) {
  TPopupMenu* menu = GetPopupMenu();
  if (!menu || !menu->AutoPopup()) return false;
  menu->SetPopupComponent(this);
  const TPoint origin = ClientOrigin();
  menu->Popup(origin.X + at.X, origin.Y + at.Y);
  return true;
}

void TControl::WndProc(TMessage& message) {
  const TPoint point = LParamToPoint(message.LParam);
  switch (message.Msg) {
    case WM_SETTEXT:
      FText = MessageText(message);
      message.Result = 1;
      break;
    case CM_TEXTCHANGED:
      TextChanged();
      break;
    case WM_LBUTTONDOWN:
      MouseDown(mbLeft, ssLeft, point.X, point.Y);
      break;
    case WM_LBUTTONUP:
      MouseUp(mbLeft, 0, point.X, point.Y);
      MouseClick();
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      break;
    case WM_MOUSEWHEEL:
      if (DoMouseWheel(static_cast<TShiftState>(message.LParam), static_cast<int>(message.WParam),
                       TPoint{}))
        message.Result = 1;
      else if (FParent)
        message.Result = FParent->Perform(WM_MOUSEWHEEL, message.WParam, message.LParam);
      break;
    case WM_CONTEXTMENU:
      message.Result = DoContextPopup(point) ? 1 : 0;
      break;
    default:
      break;
  }
}

// --- TWinControl -----------------------------------------------------------------------------

void TWinControl::Destroy() {
  // The children go with their parent, as the platform's windows do.
  while (!FControls.empty()) FControls.back()->Free();
  if (FHandle) Handles().erase(FHandle);
  FHandle = 0;
  inherited::Destroy();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) ListIndexError(index);
  return FControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (; control; control = control->Parent())
    if (control == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  if (auto* windowed = dynamic_cast<TWinControl*>(control))
    windowed->FTabOrder = static_cast<int>(TabOrderList().size()) - 1;
  if (control->FParentFont) control->ParentFontChangedTo(FFont);
  if (control->Loading() || Loading()) return;
  control->UpdateAnchorRules();
  if (control->FAlign != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  if (TCustomForm* form = GetParentForm(this)) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) form->DefocusControl(windowed);
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  control->FParent = nullptr;
  if (dynamic_cast<TWinControl*>(control)) {
    int order = 0;
    for (TWinControl* sibling : TabOrderList()) sibling->FTabOrder = order++;
  }
  if (!HasState(csDestroying) && control->FAlign != alNone) AlignControls();
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    FHandle = NewHandle();
    Handles()[FHandle] = this;
  }
  return FHandle;
}

int TWinControl::TabOrder() const { return FTabOrder; }

void TWinControl::SetTabOrder(int value) {
  if (!Parent()) {
    FTabOrder = value;
    return;
  }
  std::vector<TWinControl*> order = Parent()->TabOrderList();
  order.erase(std::remove(order.begin(), order.end(), this), order.end());
  value = std::clamp(value, 0, static_cast<int>(order.size()));
  order.insert(order.begin() + value, this);
  for (size_t i = 0; i < order.size(); ++i) order[i]->FTabOrder = static_cast<int>(i);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
  std::vector<TWinControl*> result;
  for (TControl* control : FControls)
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) result.push_back(windowed);
  std::stable_sort(result.begin(), result.end(),
                   [](TWinControl* a, TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
  return result;
}

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* control = this; control && control != form; control = control->Parent())
    if (!control->Visible() || !control->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm(this);
  return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form || !CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  form->FocusControl(this);
}

void TWinControl::Realign() { AlignControls(); }

void TWinControl::AlignControls(bool applyAnchors) {
  if (HasState(csDestroying) || Loading()) return;
  TRect area = ClientRect();
  for (TControl* control : AlignedControls(FControls, alTop)) {
    control->PlaceBounds(area.Left, area.Top, area.Width(), control->Height());
    area.Top += control->Height();
  }
  for (TControl* control : AlignedControls(FControls, alBottom)) {
    control->PlaceBounds(area.Left, area.Bottom - control->Height(), area.Width(),
                         control->Height());
    area.Bottom -= control->Height();
  }
  for (TControl* control : AlignedControls(FControls, alLeft)) {
    control->PlaceBounds(area.Left, area.Top, control->Width(), area.Height());
    area.Left += control->Width();
  }
  for (TControl* control : AlignedControls(FControls, alRight)) {
    control->PlaceBounds(area.Right - control->Width(), area.Top, control->Width(), area.Height());
    area.Right -= control->Width();
  }
  for (TControl* control : AlignedControls(FControls, alClient))
    control->PlaceBounds(area.Left, area.Top, area.Width(), area.Height());
  if (!applyAnchors) return;
  for (TControl* control : FControls) control->ApplyAnchors(ClientWidth(), ClientHeight());
}

void TWinControl::LayoutLoaded() {
  AlignControls(false);
  for (TControl* control : FControls) {
    control->UpdateAnchorRules();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->LayoutLoaded();
  }
}

void TWinControl::Resize() {
  AlignControls();
  inherited::Resize();
}

void TWinControl::FontChanged() {
  for (TControl* control : FControls) control->ParentFontChangedTo(Font());
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN: {
      auto key = static_cast<uint16_t>(message.WParam);
      DoKeyDown(key, static_cast<TShiftState>(message.LParam));
      message.WParam = key;
      break;
    }
    case WM_KEYUP: {
      auto key = static_cast<uint16_t>(message.WParam);
      KeyUp(key, static_cast<TShiftState>(message.LParam));
      message.WParam = key;
      break;
    }
    case WM_CHAR: {
      auto key = static_cast<char>(message.WParam);
      KeyPress(key);
      message.WParam = static_cast<unsigned char>(key);
      break;
    }
    default:
      inherited::WndProc(message);
  }
}

void TWinControl::DoKeyDown(uint16_t& key, TShiftState shift) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview()) {
    static_cast<TWinControl*>(form)->KeyDown(key, shift);
    if (key == 0) return;
  }
  KeyDown(key, shift);
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

TWinControl* FindControl(HWND handle) {
  const auto it = Handles().find(handle);
  return it == Handles().end() ? nullptr : it->second;
}

TCustomForm* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  while (control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

// --- painting controls -----------------------------------------------------------------------

namespace {
// A paint starts afresh with the control's font and colour.
void StartPaint(TCanvas* canvas, const TControl* control) {
  canvas->ClearOperations();
  canvas->Font()->Assign(control->Font());
  canvas->Brush()->SetColor(control->Color());
}
}  // namespace

void TGraphicControl::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FCanvas = TCanvas::Create();
}

void TGraphicControl::Destroy() {
  FreeAndNil(FCanvas);
  inherited::Destroy();
}

void TGraphicControl::PaintControl() {
  StartPaint(FCanvas, this);
  Paint();
}

void TCustomControl::Construct(TComponent* owner) {
  inherited::Construct(owner);
  FCanvas = TCanvas::Create();
}

void TCustomControl::Destroy() {
  FreeAndNil(FCanvas);
  inherited::Destroy();
}

void TCustomControl::PaintControl() {
  StartPaint(FCanvas, this);
  Paint();
}
