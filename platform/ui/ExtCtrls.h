// Panels, bevels, radio groups and splitters.
#pragma once

#include "platform/rtl/Strings.h"
#include "platform/ui/StdCtrls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
  RTL_CLASS(TCustomPanel, TCustomControl)
 public:
  void Construct(TComponent* owner) override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { FAlignment = value; }
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel value) { FBevelInner = value; }
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel value) { FBevelOuter = value; }
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value) { FBevelWidth = value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value) { FBorderWidth = value; }

 protected:
  TCustomPanel() = default;
  void Paint() override;

 private:
  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};

class TPanel : public TCustomPanel {
  RTL_CLASS(TPanel, TCustomPanel)
 protected:
  TPanel() = default;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  RTL_CLASS(TBevel, TGraphicControl)
 public:
  void Construct(TComponent* owner) override;
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape value) { FShape = value; }
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle value) { FStyle = value; }

 protected:
  TBevel() = default;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// A group box of radio items kept in Items. Choosing another item, by the user or from code,
// runs the click handler (not while the window is being read); choosing the current one does
// nothing.
class TCustomRadioGroup : public TCustomGroupBox {
  RTL_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  void Construct(TComponent* owner) override;
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  // -1 for none; values outside the items are brought inside.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  int Columns() const { return FColumns; }
  void SetColumns(int value) { FColumns = value; }

 protected:
  TCustomRadioGroup() = default;
  void Destroy() override;
  void Loaded() override;

 private:
  void ItemsChanged(TObject* sender);

  TStringList* FItems = nullptr;
  int FItemIndex = -1;
  int FColumns = 1;
};

class TRadioGroup : public TCustomRadioGroup {
  RTL_CLASS(TRadioGroup, TCustomRadioGroup)
 protected:
  TRadioGroup() = default;
};

class TSplitter : public TGraphicControl {
  RTL_CLASS(TSplitter, TGraphicControl)
 public:
  void Construct(TComponent* owner) override;
  int MinSize() const { return FMinSize; }
  void SetMinSize(int value) { FMinSize = value; }

 protected:
  TSplitter() = default;

 private:
  int FMinSize = 30;
};
