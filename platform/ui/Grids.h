// The base of the grids: rows of cells under a row of titles, drawn on the grid's canvas.
#pragma once

#include "platform/ui/Controls.h"

using TGridDrawState = uint8_t;
constexpr TGridDrawState gdSelected = 0x01;
constexpr TGridDrawState gdFocused = 0x02;
constexpr TGridDrawState gdFixed = 0x04;

class TCustomGrid : public TCustomControl {
  RTL_CLASS(TCustomGrid, TCustomControl)
 public:
  void Construct(TComponent* owner) override;
  // Height of every row, titles included, without the line under it.
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int value) { FDefaultRowHeight = value; }
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int value) { FDefaultColWidth = value; }
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value) { FFixedColor = value; }
  // The grid draws its cells itself before the draw handlers run.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value) { FDefaultDrawing = value; }
  uint32_t GetDlgCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

 protected:
  TCustomGrid() = default;
  // Clicks go to cells, not to OnClick.
  void MouseClick() override {}

 private:
  int FDefaultRowHeight = 17;
  int FDefaultColWidth = 64;
  TColor FFixedColor = clBtnFace;
  bool FDefaultDrawing = true;
};
