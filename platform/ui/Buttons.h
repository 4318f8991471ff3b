// Bitmap buttons and speed buttons.
#pragma once

#include "platform/ui/StdCtrls.h"

enum TBitBtnKind {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A button with a picture. Its kind gives it the caption, modal result and default or cancel
// role of a standard button.
class TBitBtn : public TButton {
  RTL_CLASS(TBitBtn, TButton)
 public:
  void Construct(TComponent* owner) override;
  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* glyph) { FGlyph->Assign(glyph); }
  // Pictures side by side in the glyph: up, disabled, down.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value) { FNumGlyphs = value; }
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value) { FLayout = value; }
  int Margin() const { return FMargin; }
  void SetMargin(int value) { FMargin = value; }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value) { FSpacing = value; }
  // A Close button closes its form.
  void Click() override;

 protected:
  TBitBtn() = default;
  void Destroy() override;

 private:
  TBitmap* FGlyph = nullptr;
  int FNumGlyphs = 1;
  TBitBtnKind FKind = bkCustom;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

// A button without a window of its own. In a group (GroupIndex not 0) it stays down when
// clicked and the others of the group come up; with AllowAllUp a second click lets it up.
class TSpeedButton : public TGraphicControl {
  RTL_CLASS(TSpeedButton, TGraphicControl)
 public:
  void Construct(TComponent* owner) override;
  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* glyph) { FGlyph->Assign(glyph); }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value) { FNumGlyphs = value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value) { FFlat = value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }

  bool HasActionProperty(TActionProperty property) const override;
  Variant GetActionProperty(TActionProperty property) const override;
  void SetActionProperty(TActionProperty property, const Variant& value) override;

 protected:
  TSpeedButton() = default;
  void Destroy() override;
  void MouseClick() override;

 private:
  TBitmap* FGlyph = nullptr;
  int FNumGlyphs = 1;
  bool FFlat = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
};
