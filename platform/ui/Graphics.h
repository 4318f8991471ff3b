// Colours, fonts, brushes, bitmaps and the canvas.
//
// There is no raster here: a canvas keeps the drawing operations made on it (fills, texts,
// check-box frames) with the brush and font they were made with, so that tests and widget sets
// can read what a control drew. A widget set that shows real windows replays them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"
#include "platform/ui/Messages.h"

// 0x00BBGGRR; system colours have the high byte 0xFF and the colour index in the low byte.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | index); }
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInfoBk = SystemColor(24);

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 0x01;
constexpr TFontStyles fsItalic = 0x02;
constexpr TFontStyles fsUnderline = 0x04;
constexpr TFontStyles fsStrikeOut = 0x08;

// The screen's logical resolution: a font of Size points is -Size*96/72 pixels high.
constexpr int ScreenPixelsPerInch = 96;

class TFont : public TPersistent {
  RTL_CLASS(TFont, TPersistent)
 public:
  const String& Name() const { return FName; }
  void SetName(const String& value);
  // Points; Height is the same size in pixels, negative for the character height.
  int Size() const;
  void SetSize(int points);
  int Height() const { return FHeight; }
  void SetHeight(int pixels);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);

  void Assign(TPersistent* source) override;
  bool SameAs(const TFont& other) const;

  TNotifyEvent OnChange;

 protected:
  TFont() = default;

 private:
  void Changed();

  String FName = "Tahoma";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
  RTL_CLASS(TBrush, TPersistent)
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value) { FStyle = value; }
  void Assign(TPersistent* source) override;

 protected:
  TBrush() = default;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
};

// A picture by its size and where it came from (a resource of a module, a file); the pixels
// themselves are the widget set's business.
class TBitmap : public TPersistent {
  RTL_CLASS(TBitmap, TPersistent)
 public:
  int Width() const { return FWidth; }
  void SetWidth(int value) { FWidth = value; }
  int Height() const { return FHeight; }
  void SetHeight(int value) { FHeight = value; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Describes the picture, e.g. "VRXRes.101"; empty for a blank bitmap.
  const String& Source() const { return FSource; }
  void SetSource(const String& value) { FSource = value; }
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor value) { FTransparentColor = value; }
  void Assign(TPersistent* source) override;
  // Back to a blank bitmap of no size.
  void Clear();

  TNotifyEvent OnChange;

 protected:
  TBitmap() = default;

 private:
  int FWidth = 0;
  int FHeight = 0;
  String FSource;
  TColor FTransparentColor = clDefault;
};

enum class TCanvasOpKind { FillRect, TextOut, FrameControl };

// One drawing operation with the brush colour, font colour and font style it was made with.
struct TCanvasOp {
  TCanvasOpKind Kind = TCanvasOpKind::FillRect;
  TRect Rect;
  TPoint At;
  String Text;
  TColor BrushColor = clWhite;
  TColor FontColor = clBlack;
  TFontStyles FontStyle = 0;
  uint32_t FrameType = 0;
  uint32_t FrameState = 0;
};

class TCanvas : public TPersistent {
  RTL_CLASS(TCanvas, TPersistent)
 public:
  TBrush* Brush() const { return FBrush; }
  TFont* Font() const { return FFont; }

  void FillRect(const TRect& rect);
  void TextOut(int x, int y, const String& text);
  // The text at (x, y), clipped to the rectangle.
  void TextRect(const TRect& rect, int x, int y, const String& text);
  void DrawFrameControl(const TRect& rect, uint32_t type, uint32_t state);
  // Widths follow a fixed-pitch approximation of the font: enough for layout decisions.
  int TextWidth(const String& text) const;
  int TextHeight(const String& text) const;

  const std::vector<TCanvasOp>& Operations() const { return FOperations; }
  // Forgets what was drawn (a new paint begins).
  void ClearOperations() { FOperations.clear(); }

 protected:
  TCanvas() = default;
  void Construct();
  void Destroy() override;

 private:
  TCanvasOp NewOperation(TCanvasOpKind kind, const TRect& rect) const;

  TBrush* FBrush = nullptr;
  TFont* FFont = nullptr;
  std::vector<TCanvasOp> FOperations;
};

// The standard frame controls of the platform (DrawFrameControl).
constexpr uint32_t DFC_BUTTON = 4;
constexpr uint32_t DFCS_BUTTONCHECK = 0x0000;
constexpr uint32_t DFCS_INACTIVE = 0x0100;
constexpr uint32_t DFCS_CHECKED = 0x0400;
constexpr uint32_t DFCS_FLAT = 0x4000;

inline void DrawFrameControl(TCanvas* canvas, const TRect& rect, uint32_t type, uint32_t state) {
  canvas->DrawFrameControl(rect, type, state);
}
