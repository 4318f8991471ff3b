#include <gtest/gtest.h>

#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uComFormGFG.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/FormReposit/uDlgBaseForm.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "support/SelectFixture.h"

namespace {

class BaseFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetComLanguage("ru");
    // The library's start binds the grid tools; their operator steps come with them.
    GetComFormLibProc("_SortDBGridB");
  }
  void TearDown() override { CloseComFormGFG(); }

  // Runs GetList on a fresh dialog and answers the IDs returned.
  std::vector<int> Run(const String& script, TOperatorRecord* record = nullptr) {
    THeadlessScope operatorScope(script);
    TDBItemList* list = TDBItemList::Create();
    FreeOnExit freeList(list);
    TItemsDialog* dialog = TItemsDialog::Open(Db.Session, true);
    FreeOnExit freeDialog(dialog);
    dialog->GetList(list);
    if (record) *record = operatorScope.Record();
    return ItemIDs(list);
  }

  TSelectDatabase Db;
};

// A data window with two function-access entries.
class TAccessWindow : public TBaseForm {
  RTL_CLASS(TAccessWindow, TBaseForm)
 public:
  std::vector<bool> Allowed;

 protected:
  TAccessWindow() = default;
  void RegisterAccessItems() override {
    for (int i = 0; i < 2; ++i) {
      AccessList()->Add(TAccessHandler([this](bool allowed) { Allowed.push_back(allowed); }));
    }
  }
};
RTL_CLASS_IMPL_CREATABLE(TAccessWindow, TBaseForm)

// A data window that tries to close itself while it is being built.
class TEagerWindow : public TBaseForm {
  RTL_CLASS(TEagerWindow, TBaseForm)
 protected:
  TEagerWindow() = default;
  void FormCreate(TObject* sender) override {
    inherited::FormCreate(sender);
    Close();
  }
};
RTL_CLASS_IMPL_CREATABLE(TEagerWindow, TBaseForm)

TEST_F(BaseFormTest, EmptySchemaIsTheSessionsUserWithoutBlanks) {
  THeadlessScope operatorScope;
  Db.Session->SetUsername("SEL ");
  TItemsDialog* dialog = TItemsDialog::Open(Db.Session, true, "");
  FreeOnExit freeDialog(dialog);
  EXPECT_EQ(dialog->GetShema(), "SEL");
  EXPECT_EQ(dialog->OraQuery1->MacroByName("shema")->Value(), "SEL");
}

TEST_F(BaseFormTest, CtrlDelInTheGridDeletesNothing) {
  TOperatorRecord record;
  EXPECT_EQ(Run("tick ID=2; key Grid Ctrl+Del; tick ID=4; ok", &record), (std::vector<int>{2, 4}));
  EXPECT_TRUE(BoxTexts(record).empty()) << record.Text();
}

TEST_F(BaseFormTest, PopupMenuAndDataActionsNeedTheFocusOnAGrid) {
  TOperatorRecord record;
  Run("focus Edit1; popup Edit1; key Edit1 Ctrl+F; focus Grid; popup Grid", &record);
  const std::vector<TRecordEntry> menus = record.OfKind(TRecordKind::PopupMenu);
  ASSERT_EQ(menus.size(), 1u) << record.Text();
  EXPECT_EQ(BoxTexts(record), (std::vector<String>{"Выберите таблицу"}));
}

TEST_F(BaseFormTest, ClosingWhileBuildingIsRefused) {
  THeadlessScope operatorScope;
  TEagerWindow* window = TEagerWindow::Create(nullptr, Db.Session, "SEL");
  FreeOnExit freeWindow(window);
  const std::vector<TRecordEntry> boxes = operatorScope.Record().OfKind(TRecordKind::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "Закрытие окна");
  EXPECT_EQ(boxes[0].Text, "TBaseForm.Create: Приложение занято");
  EXPECT_TRUE(window->CanClose());
}

TEST_F(BaseFormTest, MaximisedWithoutMainWindowTakes600PixelsFrom500) {
  THeadlessScope operatorScope;
  TItemsDialog* dialog = TItemsDialog::Open(Db.Session, true);
  FreeOnExit freeDialog(dialog);
  TMinMaxInfo info{};
  dialog->Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
  EXPECT_EQ(info.MaxPosition.Y, 500);
  EXPECT_EQ(info.MaxSize.Y, 600);
}

TEST_F(BaseFormTest, AccessModeTextSwitchesTheRegisteredFunctions) {
  THeadlessScope operatorScope;
  TAccessWindow* allowed = TAccessWindow::Create(nullptr, "101", Db.Session, "SEL");
  FreeOnExit freeAllowed(allowed);
  EXPECT_EQ(allowed->Allowed, (std::vector<bool>{false, true}));

  try {
    TAccessWindow::Create(nullptr, "10", Db.Session, "SEL")->Free();
    ADD_FAILURE() << "built with a short access text";
  } catch (const Exception& error) {
    EXPECT_NE(String(error.what()).find("\r\n"), String::npos) << error.what();
  }

  TAccessWindow* badMode = TAccessWindow::Create(nullptr, "X11", Db.Session, "SEL");
  FreeOnExit freeBadMode(badMode);
  EXPECT_TRUE(badMode->Allowed.empty());
  const std::vector<String> boxes = BoxTexts(operatorScope.Record());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(": FMode = \"X11\""), String::npos) << boxes[0];
}

TEST_F(BaseFormTest, OrderingChosenByTheOperatorComesBackAtTheNextOpening) {
  TOperatorRecord record;
  Run("sort NAME DESC; cancel", &record);
  const String orderings = Db.Folder.Path() + "ComFormGFG.INI";
  EXPECT_NE(ReadWholeFile(orderings).find("=NAME DESC"), String::npos);
  Run("dump", &record);
  const TWindowDump dump = *record.OfKind(TRecordKind::Dump).at(0).Dump;
  ASSERT_FALSE(dump.Grids.at(0).Rows.empty()) << record.Text();
  EXPECT_EQ(dump.Grids[0].Rows[0].at(1), "5") << record.Text();

  Run("sort ID; cancel");
  const String file = ReadWholeFile(orderings);
  EXPECT_EQ(file.find("NAME DESC"), String::npos) << file;
}

TEST_F(BaseFormTest, OkOnlyDialogPutsOkAtTheRightAndLetsEscapeConfirm) {
  THeadlessScope operatorScope;
  TDlgBaseForm* dialog = TDlgBaseForm::Create(nullptr, Db.Session, "SEL", false, 1);
  FreeOnExit freeDialog(dialog);
  EXPECT_FALSE(dialog->CancelBtn->Visible());
  EXPECT_TRUE(dialog->OkBtn->Cancel());
  EXPECT_TRUE(dialog->NoCenterButtons());
  EXPECT_EQ(dialog->OkBtn->Left(), dialog->Panel1->Width() - 97 - 10);
}

}  // namespace
