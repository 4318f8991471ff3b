#include <gtest/gtest.h>

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/CheckCombo.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"

namespace {

struct TWindowFixture : ::testing::Test {
  TWindowFixture() : form(TForm::Create(nullptr)) {}
  ~TWindowFixture() override { form->Free(); }
  template <class T>
  T* Make() {
    T* control = T::Create(form);
    control->SetParent(form);
    return control;
  }
  TForm* form;
  std::vector<String> log;
};

}  // namespace

using StdCtrls = TWindowFixture;

TEST_F(StdCtrls, CheckBoxStateChangeRunsItsClickHandler) {
  auto* box = Make<TCheckBox>();
  box->OnClick = [&](TObject*) { log.push_back(box->Checked() ? "on" : "off"); };
  box->SetChecked(true);
  box->SetChecked(true);
  box->Toggle();
  box->SetAllowGrayed(true);
  box->Toggle();
  EXPECT_EQ(box->State(), cbGrayed);
  box->Toggle();
  EXPECT_EQ(log, (std::vector<String>{"on", "off", "off", "on"}));
}

TEST_F(StdCtrls, RadioButtonsOfOneParentExcludeEachOther) {
  auto* firms = Make<TRadioButton>();
  auto* persons = Make<TRadioButton>();
  auto* elsewhere = TRadioButton::Create(form);
  elsewhere->SetParent(Make<TGroupBox>());
  elsewhere->SetChecked(true);
  persons->OnClick = [&](TObject*) { log.push_back("persons"); };
  firms->SetChecked(true);
  persons->SetChecked(true);
  persons->SetChecked(true);
  EXPECT_FALSE(firms->Checked());
  EXPECT_TRUE(elsewhere->Checked());
  EXPECT_EQ(log, std::vector<String>{"persons"});
}

TEST_F(StdCtrls, ComboSelectionByTheUserRunsItsEventsButNotFromCode) {
  auto* combo = Make<TComboBox>();
  combo->Items()->SetCommaText("2020,2021,2022");
  combo->OnChange = [&](TObject*) { log.push_back("change " + combo->Text()); };
  combo->OnSelect = [&](TObject*) { log.push_back("select"); };
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "2021");
  combo->SelectItem(2);
  EXPECT_EQ(log, (std::vector<String>{"change 2022", "select"}));
  EXPECT_EQ(GetPropValue(combo, "ItemIndex").AsInteger(), 2);
}

TEST_F(StdCtrls, CheckComboTextListsTheTickedItems) {
  auto* combo = Make<TCheckComboBox>();
  combo->SetEmptySelectionText(" Filter not set");
  combo->Items()->SetCommaText("Added,\"In work\",Lost");
  EXPECT_EQ(combo->Text(), " Filter not set");
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetChecked(2, true);
  combo->SetChecked(1, true);
  combo->SetChecked(1, true);
  EXPECT_EQ(combo->Text(), "In work;Lost");
  EXPECT_EQ(combo->CheckedCount(), 2);
  EXPECT_EQ(changes, 2);
  combo->SetDroppedDown(true);
  combo->OnCloseUp = [&](TObject*) { log.push_back("closed"); };
  combo->SetDroppedDown(false);
  EXPECT_EQ(log, std::vector<String>{"closed"});
}

TEST_F(StdCtrls, MemoLinesAreItsText) {
  auto* memo = Make<TMemo>();
  memo->Lines()->Add("first");
  memo->Lines()->Add("second");
  memo->Lines()->Insert(1, "middle");
  EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond");
  memo->SetText("a\nb\r\nc");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), "c");
  EXPECT_EQ(GetObjectProp(memo, "Lines"), memo->Lines());
}

TEST_F(StdCtrls, BitButtonKindGivesTheStandardRole) {
  auto* ok = Make<TBitBtn>();
  ok->SetKind(bkOK);
  auto* cancel = Make<TBitBtn>();
  cancel->SetKind(bkCancel);
  EXPECT_EQ(ok->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(cancel->Caption(), "Cancel");
  EXPECT_TRUE(cancel->Cancel());
  cancel->Click();
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(StdCtrls, SpeedButtonsOfAGroupStayDownOneAtATime) {
  auto* first = Make<TSpeedButton>();
  auto* second = Make<TSpeedButton>();
  for (TSpeedButton* button : {first, second}) button->SetGroupIndex(1);
  first->Perform(WM_LBUTTONUP);
  second->Perform(WM_LBUTTONUP);
  EXPECT_FALSE(first->Down());
  EXPECT_TRUE(second->Down());
  second->Perform(WM_LBUTTONUP);
  EXPECT_TRUE(second->Down());
  second->SetAllowAllUp(true);
  second->Perform(WM_LBUTTONUP);
  EXPECT_FALSE(second->Down());
}

TEST_F(StdCtrls, ControlsPublishTheTextsLookedUpByName) {
  const struct {
    TControl* Control;
    const char* Property;
    bool Published;
  } cases[] = {
      {Make<TLabel>(), "Caption", true},  {Make<TLabel>(), "Text", false},
      {Make<TEdit>(), "Text", true},      {Make<TEdit>(), "Caption", false},
      {Make<TMemo>(), "Lines", true},     {Make<TMemo>(), "Text", false},
      {Make<TPanel>(), "Caption", true},  {Make<TRadioGroup>(), "Items", true},
      {Make<TBevel>(), "Caption", false}, {Make<TBevel>(), "Hint", true},
      {Make<TComboBox>(), "Items", true}, {Make<TBitBtn>(), "Caption", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsPublishedProp(c.Control, c.Property), c.Published)
        << c.Control->ClassName() << "." << c.Property;
}
