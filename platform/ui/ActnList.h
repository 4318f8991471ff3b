// Actions and action lists.
//
// An action carries what its clients (buttons, tool buttons, menu items, check boxes) show:
// caption, hint, image, shortcut, enabled, visible and checked state; clicking a client executes
// the action. A client takes the action's values when the action is assigned; afterwards a
// changed value of the action reaches a client only while the client still shows the action's
// previous value, so a client whose caption was set on its own keeps it.
//
// Execute and Update go first to the action list's OnExecute/OnUpdate, which may handle them,
// then to the action's own handler. A custom action executes only while enabled, after an
// update; its shortcut works also while it is hidden.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/Variant.h"

class TImageList;
class TActionLink;
class TCustomActionList;

// A key with its modifiers: the key code in the low byte, scShift/scCtrl/scAlt above.
using TShortCut = uint16_t;

enum TActionProperty {
  apCaption,
  apHint,
  apEnabled,
  apVisible,
  apChecked,
  apImageIndex,
  apShortCut
};

// The value of an action property of anything that carries all seven (actions, menu items).
template <class T>
Variant ActionPropertyOf(const T& source, TActionProperty property) {
  switch (property) {
    case apCaption:
      return Variant(source.Caption());
    case apHint:
      return Variant(source.Hint());
    case apEnabled:
      return Variant(source.Enabled());
    case apVisible:
      return Variant(source.Visible());
    case apChecked:
      return Variant(source.Checked());
    case apImageIndex:
      return Variant(source.ImageIndex());
    case apShortCut:
      return Variant(source.ShortCut());
  }
  return Variant();
}

// What a component that shows an action offers its link: the linked values it has.
class TActionClient {
 public:
  virtual bool HasActionProperty(TActionProperty property) const = 0;
  virtual Variant GetActionProperty(TActionProperty property) const = 0;
  virtual void SetActionProperty(TActionProperty property, const Variant& value) = 0;

 protected:
  ~TActionClient() = default;
};

class TBasicAction : public TComponent {
  RTL_CLASS(TBasicAction, TComponent)
 public:
  // Runs the action; true when something handled it.
  virtual bool Execute();
  // Lets the handlers bring the action's state up to date; true when one handled it.
  virtual bool Update();
  // The client that executes the action, while it does.
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* component) { FActionComponent = component; }

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 protected:
  TBasicAction() = default;
  void Destroy() override;
  // Tells the clients that a linked value is about to change from its current value.
  void ChangeLinked(TActionProperty property, const Variant& current, const Variant& value);

 private:
  friend class TActionLink;
  void RegisterLink(TActionLink* link);
  void UnregisterLink(TActionLink* link);

  std::vector<TActionLink*> FLinks;
  TComponent* FActionComponent = nullptr;
  // Cleared when the action goes, so that code which ran it can tell without touching it.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

class TContainedAction : public TBasicAction {
  RTL_CLASS(TContainedAction, TBasicAction)
 public:
  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* list);
  const String& Category() const { return FCategory; }
  void SetCategory(const String& value) { FCategory = value; }
  // Position in the action list; -1 outside one.
  int Index() const;

  bool Execute() override;
  bool Update() override;

 protected:
  TContainedAction() = default;
  void Destroy() override;

 private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  String FCategory;
};

class TCustomAction : public TContainedAction {
  RTL_CLASS(TCustomAction, TContainedAction)
 public:
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut value);

  // Updates first; runs only while enabled.
  bool Execute() override;
  // The value a client shows of the property.
  Variant LinkedValue(TActionProperty property) const;

 protected:
  TCustomAction() = default;

 private:
  template <class T>
  void Change(TActionProperty property, T& field, const T& value);

  String FCaption;
  String FHint;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
};

class TAction : public TCustomAction {
  RTL_CLASS(TAction, TCustomAction)
 protected:
  TAction() = default;
};

// Event of an action list about one of its actions: set Handled to stop the action's own
// handler.
using TActionEvent = Event<void(TBasicAction* action, bool& handled)>;

class TCustomActionList : public TComponent {
  RTL_CLASS(TCustomActionList, TComponent)
 public:
  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int index) const;
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);

  bool ExecuteAction(TBasicAction* action);
  bool UpdateAction(TBasicAction* action);
  // Runs the first action with that shortcut; false when there is none or it did not run.
  bool IsShortCut(TShortCut shortCut);
  // Updates every action of the list.
  void UpdateActions();

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

 protected:
  TCustomActionList() = default;
  void Notification(TComponent* component, TOperation operation) override;
  // The list frees its actions with it.
  void Destroy() override;

 private:
  friend class TContainedAction;
  void AddAction(TContainedAction* action);
  void RemoveAction(TContainedAction* action);

  std::vector<TContainedAction*> FActions;
  TImageList* FImages = nullptr;
};

class TActionList : public TCustomActionList {
  RTL_CLASS(TActionList, TCustomActionList)
 protected:
  TActionList() = default;
};

// The tie of a client to its action. The client owns it; an action that goes away leaves its
// clients as they are, without the action.
class TActionLink {
 public:
  TActionLink(TComponent* component, TActionClient* client)
      : FComponent(component), FClient(client) {}
  ~TActionLink() { SetAction(nullptr); }
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TBasicAction* Action() const { return FAction; }
  // Ties the client to the action and gives it the action's values; with checkDefaults (the
  // window is being read) only the values the client still has at their defaults.
  void SetAction(TBasicAction* action, bool checkDefaults = false);
  // Executes the action on behalf of the client.
  bool Execute();
  bool Update();
  // The client keeps the value only when it showed the action's current one.
  void Changing(TActionProperty property, const Variant& current, const Variant& value);

 private:
  friend class TBasicAction;
  void ActionGone() { FAction = nullptr; }
  bool IsDefault(TActionProperty property) const;

  TComponent* FComponent;
  TActionClient* FClient;
  TBasicAction* FAction = nullptr;
};

// What clicking a client of an action does: its own OnClick unless that is the action's own
// handler, otherwise the action.
void ClickActionClient(TObject* sender, TNotifyEvent onClick, TActionLink* link);
