#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <vector>

#include "platform/rtl/Text.h"

namespace {

TEST(Utf8Test, RoundTripsThroughUtf16) {
  for (const String text : {"", "plain", "Привет, Ёжик", "a€𝄞z"}) {
    EXPECT_TRUE(IsValidUtf8(text)) << text;
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  }
  EXPECT_EQ(Utf8ToWide("Ж𝄞"), u"Ж\xD834\xDD1E");
}

TEST(Utf8Test, IllFormedBytesBecomeReplacementCharacters) {
  const struct {
    const char* Bytes;
    std::u16string Expected;
  } cases[] = {
      {"a\xFF"
       "b",
       u"a\uFFFDb"},
      {"\xC3", u"\uFFFD"},                                // cut short
      {"\xE2\x82", u"\uFFFD"},                            // cut short: one replacement
      {"\xF0\x9F\x98", u"\uFFFD"},                        // cut short after three bytes
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\x80x", u"\uFFFDx"},                              // stray continuation
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.Bytes), c.Expected);
    EXPECT_FALSE(IsValidUtf8(c.Bytes));
  }
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));  // U+FFFD written out is a valid character
}

TEST(Utf8Test, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(WideToUtf8(std::u16string(u"\xD800x")), "\uFFFDx");
  EXPECT_EQ(WideToUtf8(std::u16string(u"x\xDC00")), "x\uFFFD");
  EXPECT_EQ(WideToUtf8(std::u16string(u"\xDC00\xD800")), "\uFFFD\uFFFD");
}

// The table is checked against ICU's own windows-1251 converter, byte for byte.
TEST(Cp1251Test, MatchesTheCodePageOfIcu) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("windows-1251", &status);
  ASSERT_TRUE(U_SUCCESS(status));
  for (int code = 0x80; code <= 0xFF; ++code) {
    if (code == 0x98) continue;
    const char byte = static_cast<char>(code);
    UChar unit[2] = {};
    status = U_ZERO_ERROR;
    ASSERT_EQ(ucnv_toUChars(converter, unit, 2, &byte, 1, &status), 1);
    const String utf8 = Cp1251ToUtf8(String(1, byte));
    EXPECT_EQ(Utf8ToWide(utf8), std::u16string(1, unit[0])) << std::hex << code;
    EXPECT_EQ(Cp1251Code(unit[0]), code) << std::hex << code;
    EXPECT_EQ(Utf8ToCp1251(utf8), String(1, byte)) << std::hex << code;
  }
  ucnv_close(converter);
}

TEST(Cp1251Test, CodesOfCharacters) {
  const struct {
    char32_t Char;
    int Code;
  } cases[] = {
      {U'A', 0x41}, {U'Ё', 0xA8}, {U'ё', 0xB8}, {U'№', 0xB9},     {U'€', 0x88},
      {U'А', 0xC0}, {U'я', 0xFF}, {U'ü', '?'},  {U'\uFFFD', '?'}, {U'\u0098', '?'},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Cp1251Code(c.Char), c.Code) << static_cast<unsigned>(c.Char);
  EXPECT_EQ(Utf8ToCp1251("Ёж №1 € ü"),
            "\xA8\xE6 \xB9"
            "1 \x88 ?");
  EXPECT_EQ(Utf8ToCp1251("a\xFF"), "a?");
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\x98"), "Ая\uFFFD");
}

TEST(CaseTest, UpperAndLowerCaseOfCyrillicAndLatin) {
  const struct {
    const char* Lower;
    const char* Upper;
  } pairs[] = {
      {"ёжик ёлка", "ЁЖИК ЁЛКА"},
      {"field_name1", "FIELD_NAME1"},
      {"привет, world", "ПРИВЕТ, WORLD"},
      {"ґїієў", "ҐЇІЄЎ"},
  };
  for (const auto& p : pairs) {
    EXPECT_EQ(AnsiUpperCase(p.Lower), p.Upper);
    EXPECT_EQ(AnsiLowerCase(p.Upper), p.Lower);
  }
  // Character by character: ß has no one-character capital and stays.
  EXPECT_EQ(AnsiUpperCase("straße"), "STRAßE");
  EXPECT_EQ(AnsiUpperCase("a\xFF"), "A\uFFFD");
}

TEST(CaseTest, SameTextIgnoresCaseOnly) {
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } cases[] = {
      {"ёЖ", "ЁЖ", true},     {"Field_Name", "FIELD_name", true},
      {"\u212A", "k", true},  // Kelvin sign
      {"е", "ё", false},      {"a", "ab", false},
      {"", "", true},         {"a\x01", "a", false},
      {"ИМЯ", "ИМЯ ", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiSameText(c.A, c.B), c.Same) << c.A << " / " << c.B;
    EXPECT_EQ(AnsiCompareText(c.A, c.B) == 0, c.Same) << c.A << " / " << c.B;
  }
}

TEST(CaseTest, CompareTextOrdersRussianAndEnglishWords) {
  std::vector<String> words = {"яблоко", "Ёлка", "ель", "Дом", "apple",
                               "Banana", "ёж",   "дом", "Ель"};
  std::stable_sort(words.begin(), words.end(),
                   [](const String& a, const String& b) { return AnsiCompareText(a, b) < 0; });
  const std::vector<String> expected = {"apple", "Banana", "Дом", "дом",   "ёж",
                                        "Ёлка",  "ель",    "Ель", "яблоко"};
  EXPECT_EQ(words, expected);
  EXPECT_LT(AnsiCompareText("Ель", "ёж") * AnsiCompareText("ёж", "Ель"), 0);
}

TEST(CaseTest, CompareStrIsCaseSensitive) {
  EXPECT_NE(AnsiCompareStr("a", "A"), 0);
  EXPECT_EQ(AnsiCompareStr("a", "A"), -AnsiCompareStr("A", "a"));
  // Collation order, not byte order: "ё" sorts with "е", so "ёж" comes before "ель".
  EXPECT_GT(AnsiCompareStr("ель", "ёж"), 0);
  EXPECT_EQ(AnsiCompareStr("Ёж", "Ёж"), 0);
  EXPECT_TRUE(AnsiSameStr("Ёж", "Ёж"));
  EXPECT_FALSE(AnsiSameStr("ёж", "Ёж"));
  // Equal under collation (a decomposed é) but not the same text.
  EXPECT_NE(AnsiCompareStr("\u00E9", "e\u0301"), 0);
}

TEST(PosTest, OneBasedBytePositions) {
  const struct {
    const char* Sub;
    const char* Text;
    int Expected;
  } cases[] = {
      {"b", "abc", 2},    {"", "abc", 0},   {"x", "abc", 0},
      {"abcd", "abc", 0}, {"ж", "ёжик", 3}, {"ик", "ёжик", 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Pos(c.Sub, c.Text), c.Expected) << c.Sub;
    EXPECT_EQ(AnsiPos(c.Sub, c.Text), c.Expected) << c.Sub;
  }
}

TEST(CyrillicTest, FindsCyrillicLetters) {
  const struct {
    const char* Text;
    bool Expected;
  } cases[] = {
      {"", false},    {"abc 123", false},  {"abcЖ", true},    {"Ё", true},     {"ґ", true},
      {"№ 5", false}, {"\xFF\xD0", false}, {"Straße", false}, {"Ωмега", true},
  };
  for (const auto& c : cases) EXPECT_EQ(ContainsCyrillic(c.Text), c.Expected) << c.Text;
}

}  // namespace
