// The standard controls: labels, edits, memos, combo and list boxes, buttons, check boxes,
// radio buttons and group boxes.
//
// Setting a check box's or radio button's state from code runs its click handler as a click
// would (not while the window is being read). The lines of combo and list boxes are added,
// inserted and removed through their window messages, so that code in front of the window
// procedure sees each text on its way in.
#pragma once

#include <vector>

#include "platform/rtl/Strings.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
  RTL_CLASS(TCustomLabel, TGraphicControl)
 public:
  void Construct(TComponent* owner) override;
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { FAlignment = value; }
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value) { FLayout = value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value) { FWordWrap = value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value) { FTransparent = value; }
  // The control a click on the label (or its accelerator) focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);

 protected:
  TCustomLabel() = default;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void TextChanged() override;
  void FontChanged() override;
  void Paint() override;

 private:
  void AdjustBounds();

  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  RTL_CLASS(TLabel, TCustomLabel)
 protected:
  TLabel() = default;
};

class TCustomEdit : public TWinControl {
  RTL_CLASS(TCustomEdit, TWinControl)
 public:
  void Construct(TComponent* owner) override;
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  // Characters the user may type; 0 for no limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value) { FMaxLength = value; }
  bool Modified() const { return FModified; }
  void SetModified(bool value) { FModified = value; }
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char value) { FPasswordChar = value; }
  uint32_t GetDlgCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  TNotifyEvent OnChange;

 protected:
  TCustomEdit() = default;
  void TextChanged() override;
  virtual void Change();
  // A typed character edits the text unless the edit is read-only.
  void KeyPress(char& key) override;

 private:
  bool FReadOnly = false;
  int FMaxLength = 0;
  bool FModified = false;
  char FPasswordChar = 0;
};

class TEdit : public TCustomEdit {
  RTL_CLASS(TEdit, TCustomEdit)
 protected:
  TEdit() = default;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
  RTL_CLASS(TCustomMemo, TCustomEdit)
 public:
  void Construct(TComponent* owner) override;
  // The lines of the text (Text is the lines joined by CR LF).
  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* lines) { FLines->Assign(lines); }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value) { FWordWrap = value; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value) { FScrollBars = value; }
  // Enter (and with it Escape) belongs to the memo while it wants returns.
  uint32_t GetDlgCode() const override;

 protected:
  TCustomMemo() = default;
  void Destroy() override;
  void KeyPress(char& key) override;

 private:
  TStrings* FLines = nullptr;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
};

class TMemo : public TCustomMemo {
  RTL_CLASS(TMemo, TCustomMemo)
 protected:
  TMemo() = default;
};

// The lines of a combo or list box with the objects attached to them, and the current line
// (-1 for none).
struct TItemStore {
  std::vector<String> Texts;
  std::vector<TObject*> Objects;
  int ItemIndex = -1;
};

class TCustomComboBox : public TWinControl {
  RTL_CLASS(TCustomComboBox, TWinControl)
 public:
  enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

  void Construct(TComponent* owner) override;
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  // -1 for none. Setting it shows the item's text; no event runs.
  int ItemIndex() const { return FStore.ItemIndex; }
  void SetItemIndex(int value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle value) { FStyle = value; }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool value);
  // The user picks an item: it becomes the selection, then OnChange and OnSelect.
  void SelectItem(int index);

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  TCustomComboBox() = default;
  void Destroy() override;
  void WndProc(TMessage& message) override;

 private:
  TStrings* FItems = nullptr;
  TItemStore FStore;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  bool FDroppedDown = false;
};

class TComboBox : public TCustomComboBox {
  RTL_CLASS(TComboBox, TCustomComboBox)
 protected:
  TComboBox() = default;
};

class TCustomListBox : public TWinControl {
  RTL_CLASS(TCustomListBox, TWinControl)
 public:
  void Construct(TComponent* owner) override;
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* items) { FItems->Assign(items); }
  int ItemIndex() const { return FStore.ItemIndex; }
  void SetItemIndex(int value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value) { FMultiSelect = value; }
  bool Selected(int index) const;
  void SetSelected(int index, bool value);
  int SelCount() const;
  // The user clicks an item: it becomes the current (and selected) one, then OnClick.
  void SelectItem(int index);
  uint32_t GetDlgCode() const override { return DLGC_WANTARROWS; }

 protected:
  TCustomListBox() = default;
  void Destroy() override;
  void WndProc(TMessage& message) override;

 private:
  TStrings* FItems = nullptr;
  TItemStore FStore;
  std::vector<bool> FSelected;
  bool FMultiSelect = false;
};

class TListBox : public TCustomListBox {
  RTL_CLASS(TListBox, TCustomListBox)
 protected:
  TListBox() = default;
};

// Buttons, check boxes and radio buttons: focusable, and Space clicks them.
class TButtonControl : public TWinControl {
  RTL_CLASS(TButtonControl, TWinControl)
 public:
  void Construct(TComponent* owner) override;

 protected:
  TButtonControl() = default;
  void KeyDown(uint16_t& key, TShiftState shift) override;
};

class TButton : public TButtonControl {
  RTL_CLASS(TButton, TButtonControl)
 public:
  // Enter presses the default button unless another button has the focus.
  bool Default() const { return FDefault; }
  void SetDefault(bool value) { FDefault = value; }
  // Escape presses the cancel button.
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // Given to the form when the button is clicked, before OnClick.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  void Click() override;

 protected:
  TButton() = default;
  void WndProc(TMessage& message) override;

 private:
  bool TakesDialogKey(uint16_t key, TShiftState shift) const;

  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
  RTL_CLASS(TCustomCheckBox, TButtonControl)
 public:
  TCheckBoxState State() const { return FState; }
  // A change of state runs Click (OnClick or the action).
  void SetState(TCheckBoxState value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  // The next state, as a click gives it.
  void Toggle();

  bool HasActionProperty(TActionProperty property) const override;
  Variant GetActionProperty(TActionProperty property) const override;
  void SetActionProperty(TActionProperty property, const Variant& value) override;

 protected:
  TCustomCheckBox() = default;
  void MouseClick() override { Toggle(); }

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
  RTL_CLASS(TCheckBox, TCustomCheckBox)
 protected:
  TCheckBox() = default;
};

class TRadioButton : public TButtonControl {
  RTL_CLASS(TRadioButton, TButtonControl)
 public:
  bool Checked() const { return FChecked; }
  // Checking one unchecks the radio buttons beside it (same parent) and runs Click.
  void SetChecked(bool value);

 protected:
  TRadioButton() = default;
  void MouseClick() override { SetChecked(true); }

 private:
  bool FChecked = false;
};

class TCustomGroupBox : public TCustomControl {
  RTL_CLASS(TCustomGroupBox, TCustomControl)
 protected:
  TCustomGroupBox() = default;
};

class TGroupBox : public TCustomGroupBox {
  RTL_CLASS(TGroupBox, TCustomGroupBox)
 protected:
  TGroupBox() = default;
};
