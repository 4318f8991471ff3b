// The user's input as every widget set delivers it to the controls, with the platform's rules.
//
// Keyboard: a key goes first to the form's action lists as a shortcut; then Tab, Enter and
// Escape that the control does not want for itself (GetDlgCode) go to the form as dialog keys
// (Tab moves the focus, Enter presses the default button, Escape the cancel button); otherwise
// the control gets the key down (the form's key preview first), then the character of a
// printable key, Enter, Escape or Backspace, then the key up.
//
// Input reaches only what the user could reach: a control that is not showing, or is disabled
// itself or through a parent, raises EInvalidOperation naming it.
#pragma once

#include "platform/ui/Forms.h"

// Tells whether a component still exists: it holds a free notification on it.
class TComponentWatch {
 public:
  explicit TComponentWatch(TComponent* target);
  ~TComponentWatch();
  TComponentWatch(const TComponentWatch&) = delete;
  TComponentWatch& operator=(const TComponentWatch&) = delete;

  // The watched component, nullptr once it has gone.
  TComponent* Target() const;

 private:
  class TWatcher;
  TWatcher* FWatcher;
};

// Shown, and enabled together with every parent.
bool CanReceiveInput(const TControl* control);
// Raises EInvalidOperation "<name> cannot be used: it is not shown" or "... it is disabled".
void CheckReceivesInput(const TControl* control);

// A left click at the point (client coordinates), or at the middle of the control.
void DeliverClick(TControl* control);
void DeliverClick(TControl* control, TPoint at);
// The click and the double click that follows it.
void DeliverDoubleClick(TControl* control);
void DeliverDoubleClick(TControl* control, TPoint at);
// A key with its modifiers (a shortcut value) pressed in the control; see the top of the file.
void DeliverKey(TWinControl* control, TShortCut key);
// The window's close button; EInvalidOperation when the window has none.
void DeliverCloseButton(TCustomForm* form);
// A right click on the control: its popup menu (or its parent's) opens. False when there is
// none to open.
bool DeliverContextMenu(TControl* control);
// Turns of the mouse wheel over the control (positive away from the user).
void DeliverMouseWheel(TControl* control, int notches);
