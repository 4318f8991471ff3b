#include <gtest/gtest.h>

#include "FakeWidgetSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

namespace {

// A form with an action list, one action and a tool button and a menu item showing it.
struct TActionWindow {
  TActionWindow() {
    form = TForm::Create(nullptr);
    list = TActionList::Create(form);
    action = TAction::Create(form);
    action->SetName("actSelectAll");
    action->SetActionList(list);
    action->SetCaption("Select all records");
    action->SetHint("Select all");
    action->SetShortCut(TextToShortCut("Ctrl+A"));
    action->OnExecute = [this](TObject*) { ++executed; };
    bar = TToolBar::Create(form);
    bar->SetParent(form);
    button = TToolButton::Create(form);
    button->SetName("btnCheckAll");
    button->SetParent(bar);
    button->SetAction(action);
    menu = TPopupMenu::Create(form);
    menu->SetName("PopupMenu1");
    item = TMenuItem::Create(form);
    item->SetName("pSelectAll");
    item->SetAction(action);
    menu->Items()->Add(item);
  }
  ~TActionWindow() { form->Free(); }

  TForm* form;
  TActionList* list;
  TAction* action;
  TToolBar* bar;
  TToolButton* button;
  TPopupMenu* menu;
  TMenuItem* item;
  int executed = 0;
};

}  // namespace

TEST(Actions, ClientsFollowTheActionUnlessTheyShowTheirOwnValue) {
  TActionWindow window;
  EXPECT_EQ(window.button->Caption(), "Select all records");
  EXPECT_EQ(window.item->ShortCut(), TextToShortCut("Ctrl+A"));
  window.button->SetCaption("Select everything");
  window.action->SetCaption("All records");
  window.action->SetEnabled(false);
  window.action->SetImageIndex(9);
  EXPECT_EQ(window.button->Caption(), "Select everything");
  EXPECT_EQ(window.item->Caption(), "All records");
  EXPECT_FALSE(window.button->Enabled());
  EXPECT_FALSE(window.item->Enabled());
  EXPECT_EQ(window.button->ImageIndex(), 9);
  EXPECT_EQ(window.item->ImageIndex(), 9);
}

TEST(Actions, ExecuteGoesToTheListFirstAndRunsOnlyWhileEnabled) {
  TActionWindow window;
  bool listHandles = true;
  window.list->OnExecute = [&](TBasicAction*, bool& handled) { handled = listHandles; };
  window.button->Click();
  EXPECT_EQ(window.executed, 0);
  listHandles = false;
  window.item->Click();
  EXPECT_EQ(window.executed, 1);
  window.list->OnUpdate = [&](TBasicAction* action, bool& handled) {
    static_cast<TAction*>(action)->SetEnabled(false);
    handled = true;
  };
  EXPECT_FALSE(window.action->Execute());
  EXPECT_FALSE(window.list->IsShortCut(TextToShortCut("Ctrl+A")));
  EXPECT_EQ(window.executed, 1);
}

TEST(Actions, ClientsOwnClickHandlerComesBeforeTheAction) {
  TActionWindow window;
  int clicks = 0;
  window.button->OnClick = [&](TObject*) { ++clicks; };
  window.button->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(window.executed, 0);
  window.button->OnClick = window.action->OnExecute;
  window.button->Click();
  EXPECT_EQ(window.executed, 1);
}

TEST(Actions, UpdatePassReachesActionsOfShowingControlsOnly) {
  TActionWindow window;
  int updates = 0;
  window.action->OnUpdate = [&](TObject*) { ++updates; };
  window.form->UpdateActions();
  EXPECT_EQ(updates, 0);
  window.form->Show();
  window.form->UpdateActions();
  EXPECT_EQ(updates, 1);
  window.bar->Hide();
  window.form->UpdateActions();
  EXPECT_EQ(updates, 1);
}

TEST(Actions, ClientsForgetAnActionThatGoesWithItsList) {
  TActionWindow window;
  window.list->Free();
  EXPECT_EQ(window.button->Action(), nullptr);
  EXPECT_EQ(window.item->Action(), nullptr);
  EXPECT_EQ(window.form->FindComponent("actSelectAll"), nullptr);
  EXPECT_EQ(window.button->Caption(), "Select all records");
  window.button->Click();
  EXPECT_EQ(window.executed, 0);
}

TEST(Actions, PopupRunsOnPopupUpdatesItsItemsAndClicksTheChoice) {
  TFakeWidgetSet widgetSet;
  TActionWindow window;
  std::vector<String> log;
  window.menu->OnPopup = [&](TObject*) { log.push_back("popup"); };
  window.action->OnUpdate = [&](TObject*) { log.push_back("update"); };
  window.button->SetPopupMenu(window.menu);
  widgetSet.MenuChoice = window.item;
  window.form->Show();
  EXPECT_EQ(window.button->Perform(WM_CONTEXTMENU), 1);
  EXPECT_EQ(log, (std::vector<String>{"popup", "update", "update"}));
  EXPECT_EQ(widgetSet.Menus, std::vector<String>{"PopupMenu1"});
  EXPECT_EQ(window.menu->PopupComponent(), window.button);
  EXPECT_EQ(window.executed, 1);
}

TEST(Actions, ShortcutTextsReadAndWriteThePlatformsNames) {
  const struct {
    const char* Text;
    TShortCut ShortCut;
    const char* Written;
  } cases[] = {
      {"Ctrl+Del", TShortCut(scCtrl | VK_DELETE), "Ctrl+Del"},
      {"shift+ctrl+f12", TShortCut(scShift | scCtrl | VK_F12), "Shift+Ctrl+F12"},
      {"Alt+Ctrl+F", TShortCut(scCtrl | scAlt | 'F'), "Ctrl+Alt+F"},
      {"Space", VK_SPACE, "Space"},
      {"Return", VK_RETURN, "Enter"},
      {"Escape", VK_ESCAPE, "Esc"},
      {"PageDown", VK_NEXT, "PgDn"},
      {"a", 'A', "A"},
      {"Ctrl+Nothing", 0, ""},
      {"Hyper+A", 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Written) << c.Text;
  }
}
