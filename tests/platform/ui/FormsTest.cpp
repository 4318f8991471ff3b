#include <gtest/gtest.h>

#include "FakeWidgetSet.h"
#include "platform/rtl/MessageSink.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"

namespace {

std::vector<String> Events;

// A radio group that tells when it is loaded.
class TLoggingRadioGroup : public TRadioGroup {
  RTL_CLASS(TLoggingRadioGroup, TRadioGroup)
 protected:
  TLoggingRadioGroup() = default;
  void Loaded() override {
    inherited::Loaded();
    Events.push_back("loaded " + IntToStr(ItemIndex()));
  }
};

// A window whose construction and destruction write down the order of their parts.
class TOrderForm : public TForm {
  RTL_CLASS(TOrderForm, TForm)
 public:
  static bool UseOldOrder;
  TLoggingRadioGroup* Group = nullptr;

  void Construct(TComponent* owner) override {
    Events.push_back("construct");
    inherited::Construct(owner);
    Events.push_back("construct continues");
  }

 protected:
  TOrderForm() = default;
  void ReadResource() override {
    inherited::ReadResource();
    SetOldCreateOrder(UseOldOrder);
    OnCreate = [](TObject*) { Events.push_back("OnCreate"); };
    OnDestroy = [](TObject*) { Events.push_back("OnDestroy"); };
    Group = TLoggingRadioGroup::Create(this);
    Group->SetParent(this);
    Group->OnClick = [](TObject*) { Events.push_back("click"); };
    Group->Items()->SetCommaText("Own,Others,All");
    Group->SetItemIndex(2);
    Events.push_back(String("resource read, loading ") +
                     (Group->HasState(csLoading) ? "on" : "off"));
  }
  void Destroy() override {
    Events.push_back("destroy");
    inherited::Destroy();
  }
};
bool TOrderForm::UseOldOrder = false;

// The resource binds OnShow to a virtual handler that a descendant extends, as the windows of
// the system do; the handler focuses the edit.
class TBaseWindow : public TForm {
  RTL_CLASS(TBaseWindow, TForm)
 public:
  TEdit* Edit = nullptr;

 protected:
  TBaseWindow() = default;
  void ReadResource() override {
    inherited::ReadResource();
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 200, 100);
    OnShow = TNotifyEvent(this, &TBaseWindow::FormShow);
    Edit = TEdit::Create(this);
    Edit->SetParent(this);
    Edit->OnEnter = [](TObject*) { Events.push_back("edit entered"); };
  }
  virtual void FormShow(TObject*) {
    Events.push_back("base show");
    Edit->SetFocus();
  }
};

class TDerivedWindow : public TBaseWindow {
  RTL_CLASS(TDerivedWindow, TBaseWindow)
 protected:
  TDerivedWindow() = default;
  void FormShow(TObject* sender) override {
    inherited::FormShow(sender);
    Events.push_back("derived show");
  }
};
RTL_CLASS_IMPL_CREATABLE(TLoggingRadioGroup, TRadioGroup)
RTL_CLASS_IMPL_CREATABLE(TOrderForm, TForm)
RTL_CLASS_IMPL_CREATABLE(TBaseWindow, TForm)
RTL_CLASS_IMPL_CREATABLE(TDerivedWindow, TBaseWindow)

}  // namespace

TEST(Forms, OldCreationOrderRunsOnCreateBeforeTheConstructorGoesOn) {
  const struct {
    bool Old;
    std::vector<String> Order;
  } cases[] = {
      {true,
       {"construct", "resource read, loading on", "loaded 2", "OnCreate", "construct continues",
        "destroy", "OnDestroy"}},
      {false,
       {"construct", "resource read, loading on", "loaded 2", "construct continues", "OnCreate",
        "OnDestroy", "destroy"}},
  };
  for (const auto& c : cases) {
    Events.clear();
    TOrderForm::UseOldOrder = c.Old;
    TOrderForm* form = TOrderForm::Create(nullptr);
    EXPECT_EQ(form->Group->ItemIndex(), 2);
    form->Free();
    EXPECT_EQ(Events, c.Order) << "old order " << c.Old;
  }
}

TEST(Forms, RadioChoiceFromCodeRunsTheClickHandlerOnlyWhenItChanges) {
  TOrderForm* form = TOrderForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  Events.clear();
  form->Group->SetItemIndex(0);
  form->Group->SetItemIndex(0);
  form->Group->SetItemIndex(9);
  form->Group->SetItemIndex(-1);
  EXPECT_EQ(Events, (std::vector<String>{"click", "click"}));
  EXPECT_EQ(form->Group->ItemIndex(), -1);
}

TEST(Forms, ResourceBindsTheWindowsVirtualHandlersAndShowingPlacesTheWindow) {
  Events.clear();
  TDerivedWindow* window = TDerivedWindow::Create(nullptr);
  Finally freeWindow([&] { window->Free(); });
  window->Show();
  EXPECT_EQ(Events, (std::vector<String>{"base show", "derived show", "edit entered"}));
  EXPECT_EQ(window->BoundsRect(),
            Bounds((Screen->Width() - 200) / 2, (Screen->Height() - 100) / 2, 200, 100));
}

TEST(Forms, ShownWindowComesToTheFrontAndFocusesItsFirstControl) {
  TFakeWidgetSet widgetSet;
  std::vector<String> log;
  TForm* first = TForm::Create(nullptr);
  TForm* second = TForm::Create(nullptr);
  Finally freeForms([&] {
    second->Free();
    first->Free();
  });
  first->OnActivate = [&](TObject*) { log.push_back("first active"); };
  first->OnDeactivate = [&](TObject*) { log.push_back("first inactive"); };
  second->OnShow = [&](TObject*) { log.push_back("second shown"); };
  auto* panel = TPanel::Create(second);
  panel->SetParent(second);
  auto* edit = TEdit::Create(second);
  edit->SetParent(panel);
  edit->OnEnter = [&](TObject*) { log.push_back("edit entered"); };
  first->Show();
  second->Show();
  EXPECT_EQ(Screen->ActiveForm(), second);
  EXPECT_EQ(Screen->ActiveControl(), edit);
  second->Hide();
  EXPECT_EQ(Screen->ActiveForm(), first);
  EXPECT_EQ(log, (std::vector<String>{"first active", "second shown", "first inactive",
                                      "edit entered", "first active"}));
}

TEST(Forms, MaximisedWindowTakesItsBoundsFromTheMinMaxMessage) {
  TForm* form = TForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  form->SetBounds(10, 20, 300, 200);
  form->SetWindowState(wsMaximized);
  form->Show();
  EXPECT_EQ(form->BoundsRect(), Screen->WorkAreaRect());
  form->SetWindowState(wsNormal);
  EXPECT_EQ(form->BoundsRect(), Bounds(10, 20, 300, 200));

  form->WindowProc = [&, saved = form->WindowProc](TMessage& message) {
    saved(message);
    if (message.Msg != WM_GETMINMAXINFO) return;
    auto* info = reinterpret_cast<TMinMaxInfo*>(message.LParam);
    info->MaxPosition.Y = 500;
    info->MaxSize.Y = 600;
  };
  form->SetWindowState(wsMaximized);
  EXPECT_EQ(form->Top(), 500);
  EXPECT_EQ(form->Height(), 600);
}

TEST(Forms, CloseAsksFirstAndDoesWhatOnCloseChose) {
  TForm* form = TForm::Create(nullptr);
  const int formCount = Screen->FormCount();
  bool canClose = false;
  TCloseAction action = caHide;
  form->OnCloseQuery = [&](TObject*, bool& answer) { answer = canClose; };
  form->OnClose = [&](TObject*, TCloseAction& chosen) { chosen = action; };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  canClose = true;
  form->Close();
  EXPECT_FALSE(form->Visible());
  form->Show();
  action = caFree;
  form->Close();
  EXPECT_EQ(Screen->FormCount(), formCount);
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), formCount - 1);
}

TEST(Forms, ApplicationErrorsGoToOnExceptionOrToAnErrorBox) {
  TFakeWidgetSet widgetSet;
  const auto raise = [](auto error) {
    try {
      throw error;
    } catch (...) {
      Application->HandleException(nullptr);
    }
  };
  raise(EAbort("Operation aborted"));
  EXPECT_TRUE(widgetSet.Boxes.empty());
  raise(EConvertError("'x' is not a valid integer value"));
  ASSERT_EQ(widgetSet.Boxes.size(), 1u);
  EXPECT_EQ(widgetSet.Boxes[0].Text, "'x' is not a valid integer value.");
  EXPECT_EQ(widgetSet.Boxes[0].Caption, Application->Title());
  EXPECT_EQ(widgetSet.Boxes[0].Flags, MB_OK | MB_ICONERROR);

  String handled;
  Application->OnException = [&](TObject*, const Exception& error) { handled = error.Message(); };
  Finally restore([] { Application->OnException = nullptr; });
  raise(EDatabaseError("Field 'X' not found"));
  EXPECT_EQ(handled, "Field 'X' not found");
  ShowMessage("Plain");
  ASSERT_EQ(widgetSet.Boxes.size(), 2u);
  EXPECT_EQ(widgetSet.Boxes[1].Text, "Plain");
}

TEST(Forms, ModalWindowWithoutAWidgetSetFailsAtOnce) {
  TForm* form = TForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  form->SetCaption("Lonely");
  try {
    form->ShowModal();
    FAIL();
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(String(error.Message()),
              "Cannot show the window \"Lonely\" modally: no widget set is installed");
  }
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Modal());
}
