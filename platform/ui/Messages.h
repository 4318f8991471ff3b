// Window messages, key codes and shift states of the platform.
//
// Every control has a window procedure through which its messages pass, and which code can put
// itself in front of (WindowProc). Only what passes through it can be intercepted, so the texts
// of controls are set by WM_SETTEXT and the lines of list and combo boxes are added by their
// add-string and insert-string messages: a handler in front of the window procedure may change
// the text on its way in. Those messages carry a pointer to a String in LParam.
#pragma once

#include <cstdint>

#include "platform/rtl/Exceptions.h"

// A window handle: a number the widget set gives a windowed control when the handle is first
// asked for; 0 means none.
using HWND = uintptr_t;

struct TMessage {
  uint32_t Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// The text a string-carrying message points at.
inline String& MessageText(const TMessage& message) {
  return *reinterpret_cast<String*>(message.LParam);
}
inline intptr_t TextParam(String& text) { return reinterpret_cast<intptr_t>(&text); }

constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_SETTEXT = 0x000C;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_GETMINMAXINFO = 0x0024;
constexpr uint32_t WM_CONTEXTMENU = 0x007B;
// WParam: the key code; LParam: the shift state (TShiftState bits).
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
// WParam: the character.
constexpr uint32_t WM_CHAR = 0x0102;
// WParam: the scroll request (SB_*).
constexpr uint32_t WM_HSCROLL = 0x0114;
constexpr uint32_t WM_VSCROLL = 0x0115;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
// WParam: the wheel turn (positive away from the user, 120 a notch); LParam: shift state.
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_USER = 0x0400;

// Combo box and list box lines. Add: LParam the text. Insert: WParam the index, LParam the text.
// Delete: WParam the index. Reset: no parameters.
constexpr uint32_t CB_ADDSTRING = 0x0143;
constexpr uint32_t CB_DELETESTRING = 0x0144;
constexpr uint32_t CB_INSERTSTRING = 0x014A;
constexpr uint32_t CB_RESETCONTENT = 0x014B;
constexpr uint32_t LB_ADDSTRING = 0x0180;
constexpr uint32_t LB_INSERTSTRING = 0x0181;
constexpr uint32_t LB_DELETESTRING = 0x0182;
constexpr uint32_t LB_RESETCONTENT = 0x0184;

// The control library's own notifications.
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr uint32_t CM_TEXTCHANGED = CM_BASE + 18;
constexpr uint32_t CM_VISIBLECHANGED = CM_BASE + 19;
// Posted to a form by Release: frees it once the current message is done.
constexpr uint32_t CM_RELEASE = CM_BASE + 33;

constexpr int SB_LINEUP = 0;
constexpr int SB_LINEDOWN = 1;
constexpr int SB_PAGEUP = 2;
constexpr int SB_PAGEDOWN = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6;
constexpr int SB_BOTTOM = 7;
constexpr int SB_ENDSCROLL = 8;

// What a control wants of the keys a dialog would otherwise take (answer of GetDlgCode).
constexpr uint32_t DLGC_WANTARROWS = 0x0001;
constexpr uint32_t DLGC_WANTTAB = 0x0002;
constexpr uint32_t DLGC_WANTALLKEYS = 0x0004;
constexpr uint32_t DLGC_WANTCHARS = 0x0080;

using TShiftState = uint8_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

constexpr uint16_t VK_BACK = 0x08;
constexpr uint16_t VK_TAB = 0x09;
constexpr uint16_t VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10;
constexpr uint16_t VK_CONTROL = 0x11;
constexpr uint16_t VK_MENU = 0x12;
constexpr uint16_t VK_ESCAPE = 0x1B;
constexpr uint16_t VK_SPACE = 0x20;
constexpr uint16_t VK_PRIOR = 0x21;
constexpr uint16_t VK_NEXT = 0x22;
constexpr uint16_t VK_END = 0x23;
constexpr uint16_t VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_UP = 0x26;
constexpr uint16_t VK_RIGHT = 0x27;
constexpr uint16_t VK_DOWN = 0x28;
constexpr uint16_t VK_INSERT = 0x2D;
constexpr uint16_t VK_DELETE = 0x2E;
constexpr uint16_t VK_F1 = 0x70;
constexpr uint16_t VK_F10 = 0x79;
constexpr uint16_t VK_F12 = 0x7B;

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// Mouse messages carry the point in the control's client coordinates: x in the low 16 bits of
// LParam, y in the next 16.
inline intptr_t PointToLParam(TPoint point) {
  return static_cast<intptr_t>((static_cast<uint32_t>(point.Y & 0xFFFF) << 16) |
                               static_cast<uint32_t>(point.X & 0xFFFF));
}
inline TPoint LParamToPoint(intptr_t lParam) {
  return {static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
}

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// The window's limits asked for with WM_GETMINMAXINFO (LParam points at it): where and how large
// it is when maximised, and how small or large the user may make it.
struct TMinMaxInfo {
  TPoint MaxSize;
  TPoint MaxPosition;
  TPoint MinTrackSize;
  TPoint MaxTrackSize;
};
