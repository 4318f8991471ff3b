#include <gtest/gtest.h>

#include "FakeWidgetSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"

namespace {

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const String& name) {
  T* control = T::Create(owner);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

// Puts itself in front of a control's window procedure and brackets the texts that come in.
struct TBracketingHook {
  explicit TBracketingHook(TControl* control) : Control(control), Saved(control->WindowProc) {
    control->WindowProc = [this](TMessage& message) {
      const uint32_t msg = message.Msg;
      if (msg == WM_SETTEXT || msg == LB_ADDSTRING || msg == LB_INSERTSTRING)
        MessageText(message) = "[" + MessageText(message) + "]";
      if (msg == CM_TEXTCHANGED) ++TextChanges;
      Saved(message);
    };
  }
  void Restore() { Control->WindowProc = Saved; }
  TControl* Control;
  TWndMethod Saved;
  int TextChanges = 0;
};

}  // namespace

TEST(Controls, WindowProcedureInFrontSeesTextsOnTheirWayInUntilRestored) {
  TForm* form = TForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  auto* label = Make<TLabel>(form, form, "Label1");
  TBracketingHook hook(label);
  label->SetCaption("Name");
  EXPECT_EQ(label->Caption(), "[Name]");
  EXPECT_EQ(GetPropValue(label, "Caption").AsString(), "[Name]");
  EXPECT_EQ(hook.TextChanges, 1);
  hook.Restore();
  EXPECT_TRUE(label->WindowProc == hook.Saved);
  label->SetCaption("Plain");
  EXPECT_EQ(label->Caption(), "Plain");

  auto* list = Make<TListBox>(form, form, "ListBox1");
  TBracketingHook listHook(list);
  TObject* tag = form;
  list->Items()->AddObject("a", tag);
  list->Items()->Insert(0, "b");
  list->SetItemIndex(1);
  list->Items()->SetStrings(1, "c");
  EXPECT_EQ(list->Items()->CommaText(), "[b],[c]");
  EXPECT_EQ(list->Items()->Objects(1), tag);
  EXPECT_EQ(list->ItemIndex(), 1);
  list->Items()->Delete(0);
  EXPECT_EQ(list->ItemIndex(), 0);
  list->Items()->Delete(0);
  EXPECT_EQ(list->ItemIndex(), -1);
}

// A window laid out as the dialogs are: a bottom panel with a button anchored to its right, a
// tool bar above the panel, a grid-like panel filling the rest.
class TLayoutForm : public TForm {
  RTL_CLASS(TLayoutForm, TForm)
 public:
  TPanel* Bottom = nullptr;
  TBitBtn* OkBtn = nullptr;
  TToolBar* Bar = nullptr;
  TPanel* Client = nullptr;

 protected:
  TLayoutForm() = default;
  void ReadResource() override {
    inherited::ReadResource();
    SetClientWidth(306);
    SetClientHeight(289);
    Client = Make<TPanel>(this, this, "Client");
    Client->SetAlign(alClient);
    Bar = Make<TToolBar>(this, this, "Bar");
    Bar->SetAlign(alBottom);
    Bar->SetBounds(0, 200, 306, 29);
    Bottom = Make<TPanel>(this, this, "Bottom");
    Bottom->SetAlign(alBottom);
    Bottom->SetBounds(0, 250, 306, 39);
    OkBtn = Make<TBitBtn>(this, Bottom, "OkBtn");
    OkBtn->SetBounds(115, 8, 97, 27);
    OkBtn->SetAnchors(akTop | akRight);
  }
};
RTL_CLASS_IMPL_CREATABLE(TLayoutForm, TForm)

TEST(Controls, AlignedAndAnchoredControlsFollowTheirParent) {
  TLayoutForm* form = TLayoutForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  EXPECT_EQ(form->Bottom->BoundsRect(), Bounds(0, 250, 306, 39));
  EXPECT_EQ(form->Bar->BoundsRect(), Bounds(0, 221, 306, 29));
  EXPECT_EQ(form->Client->BoundsRect(), Bounds(0, 0, 306, 221));

  form->SetClientWidth(406);
  EXPECT_EQ(form->Bottom->Width(), 406);
  EXPECT_EQ(form->OkBtn->Left(), 215);
  form->Bar->Hide();
  EXPECT_EQ(form->Client->Height(), 250);
  form->OkBtn->SetLeft(100);
  form->SetClientWidth(306);
  EXPECT_EQ(form->OkBtn->Left(), 0);
}

TEST(Controls, FontComesFromTheParentUntilTheControlSetsItsOwn) {
  TForm* form = TForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  auto* panel = Make<TPanel>(form, form, "Panel1");
  auto* label = Make<TLabel>(form, panel, "Label1");
  form->Font()->SetStyle(fsBold);
  EXPECT_EQ(label->Font()->Style(), fsBold);
  label->Font()->SetColor(clNavy);
  EXPECT_FALSE(label->ParentFont());
  form->Font()->SetStyle(0);
  EXPECT_EQ(panel->Font()->Style(), 0);
  EXPECT_EQ(label->Font()->Style(), fsBold);
  label->SetParentFont(true);
  EXPECT_EQ(label->Font()->Color(), form->Font()->Color());
}

TEST(Controls, HandlesAreMadeOnFirstRequestAndForgottenWithTheControl) {
  TForm* form = TForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  auto* edit = Make<TEdit>(form, form, "Edit1");
  EXPECT_FALSE(edit->HandleAllocated());
  const HWND handle = edit->Handle();
  EXPECT_NE(handle, 0u);
  EXPECT_EQ(edit->Handle(), handle);
  EXPECT_EQ(FindControl(handle), edit);
  edit->Free();
  EXPECT_EQ(FindControl(handle), nullptr);
}

TEST(Controls, ReferencesAreClearedWhenTheOtherComponentGoes) {
  TFakeWidgetSet widgetSet;
  TForm* form = TForm::Create(nullptr);
  Finally freeForm([&] { form->Free(); });
  TPopupMenu* menu = TPopupMenu::Create(nullptr);
  TImageList* images = TImageList::Create(nullptr);
  auto* panel = Make<TPanel>(form, form, "Panel1");
  auto* edit = Make<TEdit>(form, panel, "Edit1");
  auto* label = Make<TLabel>(form, form, "Label1");
  TActionList* actions = TActionList::Create(form);
  edit->SetPopupMenu(menu);
  label->SetFocusControl(edit);
  actions->SetImages(images);
  form->Show();
  edit->SetFocus();
  ASSERT_EQ(form->ActiveControl(), edit);

  menu->Free();
  images->Free();
  EXPECT_EQ(edit->PopupMenu(), nullptr);
  EXPECT_EQ(actions->Images(), nullptr);
  panel->Free();
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_EQ(form->ControlCount(), 1);
}

TEST(Controls, PostedMessagesWaitForTheirWindowOrItsChildren) {
  TForm* form = TForm::Create(nullptr);
  TForm* other = TForm::Create(nullptr);
  Finally freeForms([&] {
    form->Free();
    other->Free();
  });
  auto* edit = Make<TEdit>(form, form, "Edit1");
  std::vector<uint32_t> received;
  edit->WindowProc = [&, saved = edit->WindowProc](TMessage& message) {
    if (message.Msg >= WM_USER) received.push_back(message.Msg);
    saved(message);
  };
  EXPECT_TRUE(PostMessage(other->Handle(), WM_USER + 2));
  EXPECT_TRUE(PostMessage(edit->Handle(), WM_USER + 1));
  EXPECT_FALSE(PostMessage(0x7FFFFFF0, WM_USER));
  TMsg msg;
  ASSERT_TRUE(PeekMessage(msg, form->Handle(), false));
  EXPECT_EQ(msg.Message, WM_USER + 1u);
  while (PeekMessage(msg, form->Handle(), true)) DispatchMessage(msg);
  EXPECT_EQ(received, std::vector<uint32_t>{WM_USER + 1});
  EXPECT_TRUE(PeekMessage(msg, 0, true));
  EXPECT_EQ(msg.Hwnd, other->Handle());
}

TEST(Controls, CanvasKeepsWhatWasDrawnWithItsColours) {
  TCanvas* canvas = TCanvas::Create();
  Finally freeCanvas([&] { canvas->Free(); });
  canvas->Brush()->SetColor(clYellow);
  canvas->FillRect(Rect(0, 0, 10, 10));
  canvas->Font()->SetColor(clRed);
  canvas->TextOut(30, 2, "Text");
  DrawFrameControl(canvas, Rect(0, 0, 25, 17), DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
  const std::vector<TCanvasOp>& ops = canvas->Operations();
  ASSERT_EQ(ops.size(), 3u);
  EXPECT_EQ(ops[0].Kind, TCanvasOpKind::FillRect);
  EXPECT_EQ(ops[0].BrushColor, clYellow);
  EXPECT_EQ(ops[1].Text, "Text");
  EXPECT_EQ(ops[1].At, (TPoint{30, 2}));
  EXPECT_EQ(ops[1].FontColor, clRed);
  EXPECT_EQ(ops[2].FrameState, DFCS_CHECKED | DFCS_INACTIVE);
}
