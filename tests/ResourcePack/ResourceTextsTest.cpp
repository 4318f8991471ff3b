#include <gtest/gtest.h>

#include <regex>

#include "src/ResourcePack/ResourceRegistry.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

namespace {

// The placeholders of a format text in order, as Format reads them: index, "-", width and
// precision, then the type letter. A lone "%" that Format could not read shows as "%?".
std::vector<String> Placeholders(const String& text) {
  static const std::regex placeholder(R"(%(%|(\d+:)?-?(\d+|\*)?(\.(\d+|\*))?[dusefgnmpx]|))",
                                      std::regex::icase);
  std::vector<String> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
       it != std::sregex_iterator(); ++it) {
    const String match = it->str();
    if (match != "%%") found.push_back(match == "%" ? "%?" : match);
  }
  return found;
}

bool IsFormatName(const String& name) { return name.starts_with("rstr_fmt"); }

TEST(ResourceTexts, EveryTextIsComplete) {
  ASSERT_FALSE(RegisteredResourceStrings().empty());
  for (const TResourceString& text : RegisteredResourceStrings()) {
    const String& russian = *text.Variable;
    const String english = text.English;
    SCOPED_TRACE(text.Name);
    EXPECT_TRUE(RusCharExists(russian)) << russian;
    EXPECT_FALSE(english.empty());
    EXPECT_FALSE(RusCharExists(english)) << english;
    EXPECT_EQ(Placeholders(russian), Placeholders(english));
    // Only formats carry placeholders: callers append to the other texts and some format the
    // result (the access-mode message), so a stray "%" there would break their Format.
    if (!IsFormatName(text.Name)) {
      EXPECT_EQ(russian.find('%'), String::npos) << russian;
      EXPECT_EQ(english.find('%'), String::npos) << english;
    }
  }
}

TEST(ResourceTexts, WindowPhrasesAreComplete) {
  ASSERT_FALSE(RegisteredResourcePhrases().empty());
  for (const TResourcePhrase& phrase : RegisteredResourcePhrases()) {
    const String russian = phrase.Russian;
    SCOPED_TRACE(russian);
    EXPECT_TRUE(RusCharExists(russian));
    EXPECT_FALSE(String(phrase.English).empty());
    EXPECT_FALSE(RusCharExists(phrase.English));
  }
}

// One Russian text has one English text, whoever registered it; otherwise the look-up by text
// would translate a window phrase or a resource differently depending on registration order.
TEST(ResourceTexts, EqualRussianTextsShareOneEnglishText) {
  for (const TResourceString& text : RegisteredResourceStrings()) {
    const String* english = FindPackEnglish(*text.Variable);
    ASSERT_NE(english, nullptr) << text.Name;
    EXPECT_EQ(*english, text.English) << text.Name;
  }
  for (const TResourcePhrase& phrase : RegisteredResourcePhrases()) {
    const String* english = FindPackEnglish(phrase.Russian);
    ASSERT_NE(english, nullptr) << phrase.Russian;
    EXPECT_EQ(*english, phrase.English) << phrase.Russian;
  }
}

// Formats whose callers pass fixed arguments.
TEST(ResourceTexts, FormatsCarryTheirCallersPlaceholders) {
  const struct {
    const String& Text;
    std::vector<String> Expected;
  } cases[] = {
      {rstr_fmtmsg_ReadDBRecords, {"%s"}},  // the status line puts "%d" or "%d (%d)" here
      {rstr_fmtmsg_IncorrectSortingField, {"%s"}},
      {rstr_fmtmsg_FldrNotExsts, {"%s"}},
      {rstr_fmtmsg_ErrPeriod, {"%s", "%s"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Placeholders(c.Text), c.Expected) << c.Text;
}

TEST(ResourceTexts, PlaceholderReaderSeesBrokenFormats) {
  EXPECT_EQ(Placeholders("%d из %1:-8.2s, 100%% готово"), (std::vector<String>{"%d", "%1:-8.2s"}));
  EXPECT_EQ(Placeholders("50% скидка"), (std::vector<String>{"%?"}));
}

}  // namespace
