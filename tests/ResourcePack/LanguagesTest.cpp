#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ora/OraSession.h"
#include "platform/rtl/Strings.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "src/ResourcePack/Ulanguagesdm.h"

namespace {

// Every test starts from the language it names and leaves the process as it found it.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { FSaved = GetComLanguage(); }
  void TearDown() override { SetComLanguage(FSaved); }

 private:
  String FSaved;
};

struct TranslationCase {
  const char* Language;
  String Text;
  String Expected;
};

TEST_F(LanguageTest, TranslateAplTextFollowsTheInterfaceLanguage) {
  const TranslationCase cases[] = {
      {"ru", rstrAll, "Все"},
      {"en", rstrAll, "All"},
      {"none", rstrAll, "Все"},
      // A caller's text equal to a resource text, and a window's design phrase.
      {"en", "Выбор карт", "Select cards"},
      {"en", "Применить", "Apply"},
      // A format keeps its placeholder for the caller's Format.
      {"en", rstr_fmtmsg_ReadDBRecords, "Records: %s"},
      // Unknown texts, Russian or not, are shown as they are.
      {"en", "Неизвестная фраза", "Неизвестная фраза"},
      {"en", "Select the table", "Select the table"},
      {"en", "", ""},
  };
  for (const TranslationCase& c : cases) {
    SetComLanguage(c.Language);
    EXPECT_EQ(TranslateAplText(c.Text), c.Expected) << c.Language << ": " << c.Text;
  }
}

TEST_F(LanguageTest, ModuleStateFollowsTheLanguage) {
  SetComLanguage("ru");
  ASSERT_NE(GetComLanguages(), nullptr);
  EXPECT_EQ(GetComLanguages()->GET_USER_APL_LANG_ID(), 25);
  EXPECT_FALSE(GetComLanguages()->IsNecessaryAplTrans());
  EXPECT_FALSE(GetComLanguages()->IsNecessaryRepTrans());

  SetComLanguage("EN");
  ASSERT_NE(GetComLanguages(), nullptr);
  EXPECT_EQ(GetComLanguage(), "en");
  EXPECT_EQ(GetComLanguages()->GET_USER_APL_LANG_ID(), 9);
  EXPECT_TRUE(GetComLanguages()->IsNecessaryAplTrans());
  EXPECT_TRUE(GetComLanguages()->IsNecessaryRepTrans());
  EXPECT_EQ(GetComLanguages()->LangSession(), nullptr);

  SetComLanguage("none");
  EXPECT_EQ(GetComLanguages(), nullptr);
  EXPECT_EQ(GetComLanguage(), "none");
}

TEST_F(LanguageTest, UnknownLanguageCodeIsRefusedAndChangesNothing) {
  SetComLanguage("en");
  EXPECT_THROW(SetComLanguage("de"), EConvertError);
  EXPECT_EQ(GetComLanguage(), "en");
  EXPECT_EQ(TranslateAplText(rstrError), "Error");
}

TEST_F(LanguageTest, ResourceAplTxtResultRules) {
  SetComLanguage("en");
  TLanguagesDM* module = GetComLanguages();
  module->AddPhrase("Visa", "Visa");
  struct Case {
    String Text;
    String Expected;
  };
  const Case english[] = {
      {rstr_to_Close, "Close"},   // known: the translation
      {"Неизвестная фраза", ""},  // unknown: empty
      {"Visa", "Visa"},           // translation equal to the text: kept
  };
  for (const Case& c : english) {
    String text = c.Text;
    module->RESOURCE_APL_TXT(text);
    EXPECT_EQ(text, c.Expected) << c.Text;
  }

  SetComLanguage("ru");
  const Case russian[] = {
      {rstr_to_Close, rstr_to_Close},  // already Russian
      {"Close", ""},                   // no Russian known for it
  };
  for (const Case& c : russian) {
    String text = c.Text;
    module->RESOURCE_APL_TXT(text);
    EXPECT_EQ(text, c.Expected) << c.Text;
  }
}

TEST_F(LanguageTest, AddedPhrasesTranslateAndOverrideThePack) {
  SetComLanguage("en");
  TLanguagesDM* module = GetComLanguages();
  module->AddPhrase("Смены терминала", "Terminal shifts");
  module->AddPhrase(rstrNoFrm, "Without a firm");
  module->AddPhrase(rstrDay, "");  // no translation yet: the pack's text stays

  SetComLanguage("ru");
  SetComLanguage("en");  // a change of language keeps the module and its phrases
  EXPECT_EQ(TranslateAplText("Смены терминала"), "Terminal shifts");
  EXPECT_EQ(TranslateAplText(rstrNoFrm), "Without a firm");
  EXPECT_EQ(TranslateAplText(rstrDay), "Day");

  SetComLanguage("none");
  SetComLanguage("en");  // a new module starts with the pack's texts only
  EXPECT_EQ(TranslateAplText(rstrNoFrm), "No firm");
}

TEST_F(LanguageTest, NoTranslateListKeepsItsTexts) {
  SetComLanguage("en");
  GetComLanguages()->NoTranslateList()->Add(rstrClients);
  EXPECT_EQ(TranslateAplText(rstrClients), rstrClients);
  EXPECT_EQ(TranslateAplText(rstrFirms), "Firms");
}

TEST_F(LanguageTest, CaseMessageTxtChoosesByLanguage) {
  const struct {
    const char* Language;
    const char* Expected;
  } cases[] = {{"ru", "Закрытие окна"}, {"en", "Closing of the window"}, {"none", "Закрытие окна"}};
  for (const auto& c : cases) {
    SetComLanguage(c.Language);
    EXPECT_EQ(CaseMessageTxt("Закрытие окна", "Closing of the window"), c.Expected) << c.Language;
  }
}

TEST_F(LanguageTest, LangSessionIsForgottenWhenTheSessionGoes) {
  SetComLanguage("en");
  TLanguagesDM* module = GetComLanguages();
  TOraSession* session = TOraSession::Create(nullptr);
  module->SetLangSession(session);
  EXPECT_EQ(module->LangSession(), session);
  session->Free();
  EXPECT_EQ(module->LangSession(), nullptr);
}

TEST(RusCharExists, FindsCyrillicLettersOnly) {
  // Nothing, Latin, the numero sign (not a letter), Greek, a broken UTF-8 sequence.
  for (const String text : {"", "Select the table", "№ 12", "Ωμέγα", "\xD0"})
    EXPECT_FALSE(RusCharExists(text)) << text;
  // A Cyrillic letter anywhere, Russian or Ukrainian.
  for (const String text : {"RFID метки", "Ё", "ї", "Card № 5 Ж"})
    EXPECT_TRUE(RusCharExists(text)) << text;
}

// The environment is read once, at the first use of the service; a child process started
// afresh shows that first use.
TEST(ComLanguageEnvironment, ChoosesTheStartLanguage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    const char* Value;
    const char* Expected;
  } cases[] = {{"en", "en"}, {"NONE", "none"}, {"fr", "ru"}};
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          setenv("RODODORIV_LANG", c.Value, 1);
          std::exit(GetComLanguage() == c.Expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << c.Value;
  }
}

}  // namespace
