// Shortcuts, menu items and popup menus.
#pragma once

#include <vector>

#include "platform/ui/ActnList.h"
#include "platform/ui/Messages.h"

class TImageList;
class TMenu;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Ctrl+F", "Shift+Ctrl+F12", "Ctrl+Alt+Del": modifiers in the platform's order (Shift, Ctrl,
// Alt) and its key names (Enter, Esc, Space, Del, Ins, PgUp, PgDn, BkSp, Tab, Home, End, Left,
// Up, Right, Down, F1..F12, letters and digits).
String ShortCutToText(TShortCut shortCut);
// The reverse: modifiers in any order and letter case; the longer names Escape, Return, Delete,
// Insert, PageUp, PageDown and Backspace are accepted too. 0 for a text that names no key.
TShortCut TextToShortCut(const String& text);

class TMenuItem : public TComponent, public TActionClient {
  RTL_CLASS(TMenuItem, TComponent)
 public:
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& value) { FCaption = value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& value) { FHint = value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value) { FShortCut = value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { FVisible = value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool value) { FChecked = value; }
  // A separator: the caption "-".
  bool IsLine() const { return FCaption == "-"; }

  TBasicAction* Action() const;
  void SetAction(TBasicAction* action);

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  int IndexOf(const TMenuItem* item) const;
  // The menu the item belongs to, through its parents.
  TMenu* GetParentMenu() const;

  // Runs OnClick, or the action when the handler is not the action's own.
  virtual void Click();
  // Brings the action's state (and that of the sub-items) up to date before the item shows.
  void InitiateActions();

  bool HasActionProperty(TActionProperty property) const override;
  Variant GetActionProperty(TActionProperty property) const override;
  void SetActionProperty(TActionProperty property, const Variant& value) override;

  TNotifyEvent OnClick;

 protected:
  TMenuItem() = default;
  // Sub-items go with their item.
  void Destroy() override;

 private:
  friend class TMenu;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;
  std::vector<TMenuItem*> FItems;
  String FCaption;
  String FHint;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  bool FVisible = true;
  bool FEnabled = true;
  bool FChecked = false;
  TActionLink* FActionLink = nullptr;
};

class TMenu : public TComponent {
  RTL_CLASS(TMenu, TComponent)
 public:
  void Construct(TComponent* owner) override;
  // The invisible root item whose sub-items the menu shows.
  TMenuItem* Items() const { return FItems; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);

 protected:
  TMenu() = default;
  void Notification(TComponent* component, TOperation operation) override;
  void Destroy() override;

 private:
  TMenuItem* FItems = nullptr;
  TImageList* FImages = nullptr;
};

class TPopupMenu : public TMenu {
  RTL_CLASS(TPopupMenu, TMenu)
 public:
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool value) { FAutoPopup = value; }
  // The control the menu was opened on; cleared when that control goes.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* component);
  TPoint PopupPoint() const { return FPopupPoint; }

  // Opens the menu at the screen point: OnPopup first (a handler may raise EAbort to keep the
  // menu closed), then the items' actions are updated and the widget set shows the menu; the
  // item the user chose, if any, is clicked.
  virtual void Popup(int x, int y);

  TNotifyEvent OnPopup;

 protected:
  TPopupMenu() = default;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DoPopup();

 private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
};
