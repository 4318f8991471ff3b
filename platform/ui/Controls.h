// Controls: the visual components. A control lives in a parent windowed control, has bounds, a
// text, a hint, a font and colour, a popup menu and an optional action; a windowed control holds
// child controls, takes the focus and the keyboard, and gets a window handle on first request.
//
// Every message to a control goes through its WindowProc, which starts as the control's own
// window procedure (WndProc). Code may put its own procedure in front by saving WindowProc,
// assigning its own and calling the saved one for what it does not handle; giving the saved
// one back restores the control. Perform sends a message through WindowProc.
//
// Layout: a control aligned to a side of its parent takes that side of the parent's client area
// (top and bottom ones first, then left and right, then the client one); others keep their
// distance to the parent's edges they are anchored to when the parent is resized. While a window
// is being read, layout waits until it has been loaded.
#pragma once

#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Messages.h"

class TWinControl;
class TPopupMenu;
class TCustomForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

using TAnchors = uint8_t;
constexpr TAnchors akLeft = 0x01;
constexpr TAnchors akTop = 0x02;
constexpr TAnchors akRight = 0x04;
constexpr TAnchors akBottom = 0x08;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TWndMethod = Event<void(TMessage&)>;
using TKeyEvent = Event<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = Event<void(TObject* sender, char& key)>;
using TMouseEvent =
    Event<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
// WheelDelta: positive when turned away from the user, 120 per notch. Set Handled to stop the
// message from going on to the parent.
using TMouseWheelEvent =
    Event<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;

class TControl : public TComponent, public TActionClient {
  RTL_CLASS(TControl, TComponent)
 public:
  void Construct(TComponent* owner) override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are its parents up to a form that is shown.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  // The inside of the control; the same as its size unless it has a frame.
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }
  void SetClientWidth(int value) { SetWidth(FWidth - ClientWidth() + value); }
  void SetClientHeight(int value) { SetHeight(FHeight - ClientHeight() + value); }
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
  // Where the client area's origin is on the screen.
  virtual TPoint ClientOrigin() const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);

  // Caption and Text are one text, set through WM_SETTEXT and followed by CM_TEXTCHANGED.
  const String& Caption() const { return FText; }
  void SetCaption(const String& value) { SetText(value); }
  const String& Text() const { return FText; }
  void SetText(const String& value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& value) { FHint = value; }
  // Hints shown: the control's own setting, or its parent's while ParentShowHint is set.
  bool ShowHint() const;
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value) { FParentShowHint = value; }
  // The control's font; a change to it ends ParentFont. While ParentFont is set the control
  // takes its parent's font whenever that changes.
  TFont* Font() const { return FFont; }
  void SetFont(TFont* font) { FFont->Assign(font); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const;
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value) { FParentColor = value; }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  // The menu a right click opens: the control's own, else the nearest parent's.
  TPopupMenu* GetPopupMenu() const;
  TBasicAction* Action() const;
  void SetAction(TBasicAction* action);

  intptr_t Perform(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);
  // What the control's messages go through; see the top of this file.
  TWndMethod WindowProc;

  // OnClick, or the action when the handler is not the action's own.
  virtual void Click();
  virtual void DblClick();
  void Invalidate();
  // Lets the action bring the control's state up to date (the idle update pass).
  void InitiateAction();

  bool HasActionProperty(TActionProperty property) const override;
  Variant GetActionProperty(TActionProperty property) const override;
  void SetActionProperty(TActionProperty property, const Variant& value) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;

 protected:
  TControl() = default;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The control's own window procedure: texts, mouse, wheel and popup messages.
  virtual void WndProc(TMessage& message);
  virtual void TextChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void FontChanged() {}
  virtual void Resize();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // What a left click of the mouse does: Click for most controls.
  virtual void MouseClick() { Click(); }
  // OnMouseWheel; true when handled.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  // Opens the popup menu; true when there was one.
  virtual bool DoContextPopup(TPoint at);
  // While the window the control belongs to is being read.
  bool Loading() const { return HasState(csLoading); }
  // Moves the control without recording new distances to its anchors (layout does this).
  void PlaceBounds(int left, int top, int width, int height);
  // Remembers the distances to the parent's right and bottom edges.
  void UpdateAnchorRules();

 private:
  friend class TWinControl;
  void ParentFontChangedTo(TFont* font);
  void OwnFontChanged(TObject* sender);
  void ApplyAnchors(int parentWidth, int parentHeight);

  TWinControl* FParent = nullptr;
  bool FVisible = true;
  bool FEnabled = true;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akLeft | akTop;
  int FAnchorRight = 0;
  int FAnchorBottom = 0;
  String FText;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TFont* FFont = nullptr;
  bool FParentFont = true;
  bool FTakingParentFont = false;
  TColor FColor = clBtnFace;
  bool FParentColor = false;
  TPopupMenu* FPopupMenu = nullptr;
  TActionLink* FActionLink = nullptr;
};

class TWinControl : public TControl {
  RTL_CLASS(TWinControl, TControl)
 public:
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const;

  // The window handle, made on first request.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }

  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value) { FTabStop = value; }
  int TabOrder() const;
  void SetTabOrder(int value);
  // Visible and enabled, and so are its parents up to its form.
  virtual bool CanFocus() const;
  bool Focused() const;
  // Makes the control its form's active control; EInvalidOperation "Cannot focus a disabled or
  // invisible window" when it cannot take the focus.
  virtual void SetFocus();
  // The windowed children in tab order.
  std::vector<TWinControl*> TabOrderList() const;

  // The keys a dialog would take that the control handles itself (DLGC_*).
  virtual uint32_t GetDlgCode() const { return 0; }

  // Lays the children out again (aligned ones and anchored ones).
  void Realign();

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  TWinControl() = default;
  void Destroy() override;
  void WndProc(TMessage& message) override;
  void FontChanged() override;
  void Resize() override;

  // The form's key preview first, then KeyDown (OnKeyDown).
  void DoKeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);

 private:
  friend class TControl;
  friend class TCustomForm;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void AlignControls(bool applyAnchors = true);
  // After reading: lays the whole tree out, then takes the distances to the anchors from there.
  void LayoutLoaded();
  void DoEnter();
  void DoExit();

  std::vector<TControl*> FControls;
  HWND FHandle = 0;
  bool FTabStop = false;
  int FTabOrder = -1;
};

// The windowed control of a handle, nullptr for none (or one that has gone).
TWinControl* FindControl(HWND handle);
// The form the control is on: the top of its parents when that is a form.
TCustomForm* GetParentForm(const TControl* control);

// A control without a window of its own that paints itself (labels, bevels, speed buttons).
class TGraphicControl : public TControl {
  RTL_CLASS(TGraphicControl, TControl)
 public:
  void Construct(TComponent* owner) override;
  TCanvas* Canvas() const { return FCanvas; }
  // Draws the control on its canvas, anew.
  void PaintControl();

 protected:
  TGraphicControl() = default;
  void Destroy() override;
  virtual void Paint() {}

 private:
  TCanvas* FCanvas = nullptr;
};

// A windowed control that paints itself (panels, grids).
class TCustomControl : public TWinControl {
  RTL_CLASS(TCustomControl, TWinControl)
 public:
  void Construct(TComponent* owner) override;
  TCanvas* Canvas() const { return FCanvas; }
  void PaintControl();

 protected:
  TCustomControl() = default;
  void Destroy() override;
  virtual void Paint() {}

 private:
  TCanvas* FCanvas = nullptr;
};
