#include "platform/ui/Graphics.h"

#include <cmath>

#include "platform/rtl/TypInfo.h"

RTL_CLASS_IMPL(TFont, TPersistent)
RTL_CLASS_IMPL(TBrush, TPersistent)
RTL_CLASS_IMPL(TBitmap, TPersistent)
RTL_CLASS_IMPL(TCanvas, TPersistent)

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
  return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

// An average character of an 8-point sans-serif face is about 7 pixels wide and 13 high; the
// widths scale with the font's height.
constexpr int AverageCharWidth = 7;
constexpr int LineHeight = 13;
constexpr int ReferenceHeight = 11;

const bool FontPropertiesRegistered = RegisterProperties(
    TFont::ClassInfo(), {ValueProperty<TFont>(
                             "Name", [](const TFont* f) { return Variant(f->Name()); },
                             [](TFont* f, const Variant& v) { f->SetName(v.AsString()); }),
                         ValueProperty<TFont>(
                             "Size", [](const TFont* f) { return Variant(f->Size()); },
                             [](TFont* f, const Variant& v) { f->SetSize(v.AsInteger()); }),
                         ValueProperty<TFont>(
                             "Color", [](const TFont* f) { return Variant(f->Color()); },
                             [](TFont* f, const Variant& v) { f->SetColor(v.AsInteger()); })});

}  // namespace

void TFont::SetName(const String& value) {
  if (FName == value) return;
  FName = value;
  Changed();
}

int TFont::Size() const { return MulDiv(-FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72)); }

void TFont::SetHeight(int pixels) {
  if (FHeight == pixels) return;
  FHeight = pixels;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (FStyle == value) return;
  FStyle = value;
  Changed();
}

void TFont::Assign(TPersistent* source) {
  auto* font = dynamic_cast<TFont*>(source);
  if (!font) return inherited::Assign(source);
  if (SameAs(*font)) return;
  FName = font->FName;
  FHeight = font->FHeight;
  FColor = font->FColor;
  FStyle = font->FStyle;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor &&
         FStyle == other.FStyle;
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TBrush::Assign(TPersistent* source) {
  auto* brush = dynamic_cast<TBrush*>(source);
  if (!brush) return inherited::Assign(source);
  FColor = brush->FColor;
  FStyle = brush->FStyle;
}

void TBitmap::Assign(TPersistent* source) {
  if (!source) return Clear();
  auto* bitmap = dynamic_cast<TBitmap*>(source);
  if (!bitmap) return inherited::Assign(source);
  FWidth = bitmap->FWidth;
  FHeight = bitmap->FHeight;
  FSource = bitmap->FSource;
  FTransparentColor = bitmap->FTransparentColor;
  if (OnChange) OnChange(this);
}

void TBitmap::Clear() {
  FWidth = 0;
  FHeight = 0;
  FSource.clear();
  if (OnChange) OnChange(this);
}

void TCanvas::Construct() {
  FBrush = TBrush::Create();
  FFont = TFont::Create();
}

void TCanvas::Destroy() {
  FreeAndNil(FFont);
  FreeAndNil(FBrush);
  inherited::Destroy();
}

TCanvasOp TCanvas::NewOperation(TCanvasOpKind kind, const TRect& rect) const {
  TCanvasOp op;
  op.Kind = kind;
  op.Rect = rect;
  op.BrushColor = FBrush->Color();
  op.FontColor = FFont->Color();
  op.FontStyle = FFont->Style();
  return op;
}

void TCanvas::FillRect(const TRect& rect) {
  FOperations.push_back(NewOperation(TCanvasOpKind::FillRect, rect));
}

void TCanvas::TextOut(int x, int y, const String& text) {
  TextRect(Rect(x, y, x + TextWidth(text), y + TextHeight(text)), x, y, text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const String& text) {
  TCanvasOp op = NewOperation(TCanvasOpKind::TextOut, rect);
  op.At = {x, y};
  op.Text = text;
  FOperations.push_back(std::move(op));
}

void TCanvas::DrawFrameControl(const TRect& rect, uint32_t type, uint32_t state) {
  TCanvasOp op = NewOperation(TCanvasOpKind::FrameControl, rect);
  op.FrameType = type;
  op.FrameState = state;
  FOperations.push_back(std::move(op));
}

int TCanvas::TextWidth(const String& text) const {
  int characters = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++characters;  // count UTF-8 lead bytes only
  return MulDiv(characters * AverageCharWidth, -FFont->Height(), ReferenceHeight);
}

int TCanvas::TextHeight(const String&) const {
  return MulDiv(LineHeight, -FFont->Height(), ReferenceHeight);
}
