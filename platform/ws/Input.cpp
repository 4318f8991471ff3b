#include "platform/ws/Input.h"

#include "platform/ui/Menus.h"

// --- TComponentWatch -------------------------------------------------------------------------

class TComponentWatch::TWatcher : public TComponent {
  RTL_CLASS(TWatcher, TComponent)
 public:
  void Watch(TComponent* target) {
    FTarget = target;
    if (target) target->FreeNotification(this);
  }
  TComponent* Target() const { return FTarget; }

 protected:
  TWatcher() = default;
  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FTarget) FTarget = nullptr;
  }
  void Destroy() override {
    if (FTarget) FTarget->RemoveFreeNotification(this);
    FTarget = nullptr;
    inherited::Destroy();
  }

 private:
  TComponent* FTarget = nullptr;
};
RTL_CLASS_IMPL(TComponentWatch::TWatcher, TComponent)

TComponentWatch::TComponentWatch(TComponent* target) : FWatcher(TWatcher::Create(nullptr)) {
  FWatcher->Watch(target);
}

TComponentWatch::~TComponentWatch() { FWatcher->Free(); }

TComponent* TComponentWatch::Target() const { return FWatcher->Target(); }

// --- reaching controls -----------------------------------------------------------------------

namespace {

String ControlName(const TControl* control) {
  return control->Name().empty() ? control->ClassName() : control->Name();
}

TPoint Middle(const TControl* control) {
  return {control->ClientWidth() / 2, control->ClientHeight() / 2};
}

// The character a key gives when typed, 0 for none.
char CharacterOf(uint16_t key, TShiftState shift) {
  if (shift & (ssCtrl | ssAlt)) return 0;
  if (key >= 'A' && key <= 'Z') return static_cast<char>((shift & ssShift) ? key : key + 32);
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  switch (key) {
    case VK_SPACE:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_BACK:
      return static_cast<char>(key);
    default:
      return 0;
  }
}

// The dialog code a key needs for the control to keep it; 0 for keys a dialog never takes.
uint32_t DialogCodeFor(uint16_t key) {
  switch (key) {
    case VK_TAB:
      return DLGC_WANTTAB;
    case VK_RETURN:
    case VK_ESCAPE:
      return DLGC_WANTALLKEYS;
    default:
      return 0;
  }
}

}  // namespace

bool CanReceiveInput(const TControl* control) {
  if (!control || !control->Showing()) return false;
  for (; control; control = control->Parent())
    if (!control->Enabled()) return false;
  return true;
}

void CheckReceivesInput(const TControl* control) {
  if (CanReceiveInput(control)) return;
  const String reason = control->Showing() ? "it is disabled" : "it is not shown";
  throw EInvalidOperation(ControlName(control) + " cannot be used: " + reason);
}

void DeliverClick(TControl* control) { DeliverClick(control, Middle(control)); }

void DeliverClick(TControl* control, TPoint at) {
  CheckReceivesInput(control);
  TComponentWatch watch(control);
  control->Perform(WM_LBUTTONDOWN, 0, PointToLParam(at));
  if (watch.Target()) control->Perform(WM_LBUTTONUP, 0, PointToLParam(at));
}

void DeliverDoubleClick(TControl* control) { DeliverDoubleClick(control, Middle(control)); }

void DeliverDoubleClick(TControl* control, TPoint at) {
  DeliverClick(control, at);
  TComponentWatch watch(control);
  if (!watch.Target() || !CanReceiveInput(control)) return;
  control->Perform(WM_LBUTTONDBLCLK, 0, PointToLParam(at));
  if (watch.Target()) control->Perform(WM_LBUTTONUP, 0, PointToLParam(at));
}

void DeliverKey(TWinControl* control, TShortCut shortCut) {
  CheckReceivesInput(control);
  TCustomForm* form = GetParentForm(control);
  if (!form) throw EInvalidOperation(ControlName(control) + " is not on a window");
  if (form->IsShortCut(shortCut)) return;
  uint16_t key = 0;
  TShiftState shift = 0;
  ShortCutToKey(shortCut, key, shift);
  const uint32_t code = DialogCodeFor(key);
  if (code && !(control->GetDlgCode() & code) && form->DialogKey(key, shift)) return;
  TComponentWatch watch(control);
  TMessage down{WM_KEYDOWN, key, shift, 0};
  control->WindowProc(down);
  if (!watch.Target() || down.WParam == 0) return;
  if (const char character = CharacterOf(key, shift)) {
    control->Perform(WM_CHAR, static_cast<unsigned char>(character));
    if (!watch.Target()) return;
  }
  control->Perform(WM_KEYUP, key, shift);
}

void DeliverCloseButton(TCustomForm* form) {
  if (!(form->BorderIcons() & biSystemMenu) || form->BorderStyle() == TFormBorderStyle::bsNone)
    throw EInvalidOperation(ControlName(form) + " has no close button");
  form->Perform(WM_CLOSE);
}

bool DeliverContextMenu(TControl* control) {
  CheckReceivesInput(control);
  return control->Perform(WM_CONTEXTMENU, 0, PointToLParam(Middle(control))) != 0;
}

void DeliverMouseWheel(TControl* control, int notches) {
  CheckReceivesInput(control);
  control->Perform(WM_MOUSEWHEEL, notches * 120, 0);
}
