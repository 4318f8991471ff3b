// Tool bars and tool buttons.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/ImgList.h"

class TPopupMenu;

using TEdgeBorders = uint8_t;
constexpr TEdgeBorders ebLeft = 0x01;
constexpr TEdgeBorders ebTop = 0x02;
constexpr TEdgeBorders ebRight = 0x04;
constexpr TEdgeBorders ebBottom = 0x08;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolButton;

// A bar of tool buttons and other controls. The controls stay where the window put them.
class TToolBar : public TWinControl {
  RTL_CLASS(TToolBar, TWinControl)
 public:
  void Construct(TComponent* owner) override;
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int value) { FButtonHeight = value; }
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int value) { FButtonWidth = value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool value) { FFlat = value; }
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool value) { FShowCaptions = value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value) { FAutoSize = value; }
  bool Wrapable() const { return FWrapable; }
  void SetWrapable(bool value) { FWrapable = value; }
  bool List() const { return FList; }
  void SetList(bool value) { FList = value; }
  TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders value) { FEdgeBorders = value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);

  // The tool buttons on the bar, in order.
  int ButtonCount() const;
  TToolButton* Buttons(int index) const;

 protected:
  TToolBar() = default;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  int FButtonHeight = 22;
  int FButtonWidth = 23;
  bool FFlat = false;
  bool FShowCaptions = false;
  bool FAutoSize = false;
  bool FWrapable = true;
  bool FList = false;
  TEdgeBorders FEdgeBorders = ebTop;
  TImageList* FImages = nullptr;
};

// A button of a tool bar. A check-style button goes down and up with each click; a separator
// does nothing when clicked.
class TToolButton : public TGraphicControl {
  RTL_CLASS(TToolButton, TGraphicControl)
 public:
  void Construct(TComponent* owner) override;
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle value) { FStyle = value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value) { FAutoSize = value; }
  bool Down() const { return FDown; }
  void SetDown(bool value) { FDown = value; }
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool value) { FGrouped = value; }
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* menu);
  // Position on the tool bar; -1 outside one.
  int Index() const;

  bool HasActionProperty(TActionProperty property) const override;
  Variant GetActionProperty(TActionProperty property) const override;
  void SetActionProperty(TActionProperty property, const Variant& value) override;

 protected:
  TToolButton() = default;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseClick() override;

 private:
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  bool FAutoSize = false;
  bool FDown = false;
  bool FGrouped = false;
  TPopupMenu* FDropdownMenu = nullptr;
};
