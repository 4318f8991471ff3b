// A combo box whose drop-down list has a check box per item. Its text lists the ticked items
// joined by the delimiter, or shows the empty-selection text when none is ticked.
#pragma once

#include <vector>

#include "platform/rtl/Strings.h"
#include "platform/ui/Controls.h"

class TCheckComboBox : public TWinControl {
  RTL_CLASS(TCheckComboBox, TWinControl)
 public:
  void Construct(TComponent* owner) override;
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  bool Checked(int index) const;
  // Ticks or unticks an item; the text follows and OnChange runs when the state changed.
  void SetChecked(int index, bool value);
  int CheckedCount() const;
  const String& Delimiter() const { return FDelimiter; }
  void SetDelimiter(const String& value);
  const String& EmptySelectionText() const { return FEmptySelectionText; }
  void SetEmptySelectionText(const String& value);
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int value) { FDropDownRows = value; }
  bool DroppedDown() const { return FDroppedDown; }
  // Opening runs OnDropDown, closing OnCloseUp.
  void SetDroppedDown(bool value);

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  TCheckComboBox() = default;
  void Destroy() override;

 private:
  void ItemsChanged(TObject* sender);
  void UpdateText();

  TStringList* FItems = nullptr;
  std::vector<bool> FChecked;
  String FDelimiter = ";";
  String FEmptySelectionText;
  int FDropDownRows = 8;
  bool FDroppedDown = false;
};
