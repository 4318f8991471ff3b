#include <gtest/gtest.h>

#include <random>

#include "platform/ora/SqlText.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::vector<String> Names(std::vector<String> names) { return names; }

TEST(SqlText, MacrosAndParamsAreFoundOutsideLiteralsCommentsAndAssignments) {
  const String text =
      "SELECT '&not_macro :not_param' AS x, \"&q :q\" -- &c :c\n"
      "/* &m :m */ FROM &shema.V_POS WHERE a = :P_ID AND b =: p_id AND c = : Other\n"
      "&ORDER &FIELD; begin :r := 1; end;";
  EXPECT_EQ(SqlMacroNames(text), Names({"shema", "ORDER", "FIELD"}));
  EXPECT_EQ(SqlParamNames(text), Names({"P_ID", "Other", "r"}));
}

TEST(SqlText, MacroExpansionIsRawTextAndLeavesUnknownMacros) {
  const String expanded =
      ExpandSqlMacros("SELECT * FROM &Shema.V_POS '&shema' &ORDER &FIELD &unknown",
                      [](std::string_view name) -> std::optional<String> {
                        if (SameText(String(name), "SHEMA")) return String("OC_DEMO");
                        if (name == "ORDER") return String("ORDER BY");
                        if (name == "FIELD") return String("ID, NAME");
                        return std::nullopt;
                      });
  EXPECT_EQ(expanded, "SELECT * FROM OC_DEMO.V_POS '&shema' ORDER BY ID, NAME &unknown");
}

// Whatever the bytes, the tokens cover the text exactly, one after another.
TEST(SqlText, ScannerCoversAnyInput) {
  std::vector<String> texts = {
      "",  "'",   "\"",     "/*",      "--",  ":",    ": ",
      "&", "&&x", "'it''s", "1.2.3e+", ".5e", "||:=", String("\0\xff\xc3", 3)};
  std::mt19937 random(7);
  const String alphabet = "':\"&-/*()|=<>!. \t\nabcXYZ019_$#\xd0\x96";
  for (int i = 0; i < 2000; ++i) {
    String text;
    for (int n = random() % 24; n > 0; --n) text += alphabet[random() % alphabet.size()];
    texts.push_back(text);
  }
  for (const String& text : texts) {
    size_t pos = 0;
    for (const TSqlToken& token : ScanSql(text)) {
      ASSERT_EQ(token.Pos, pos) << text;
      ASSERT_GT(token.Len, 0u) << text;
      pos += token.Len;
    }
    ASSERT_EQ(pos, text.size()) << text;
    SqlParamNames(text);
    SqlMacroNames(text);
  }
}

TEST(SqlText, SchemaNamesAreIdentifiers) {
  for (const char* valid : {"OC_DEMO", "oc_57xx", "A$B#1"})
    EXPECT_NO_THROW(CheckSchemaName(valid)) << valid;
  for (const char* invalid : {"", "OC DEMO", "OC.DEMO", "x;DROP", "a'b", "ОЦ", "a-b"})
    EXPECT_THROW(CheckSchemaName(invalid), EDatabaseError) << invalid;
}

}  // namespace
