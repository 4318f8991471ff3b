#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <unordered_set>

#include "platform/rtl/Variant.h"

namespace {

// Runs a test body under a decimal separator, putting the settings back afterwards.
class SeparatorScope {
 public:
  explicit SeparatorScope(char separator) { FormatSettings.DecimalSeparator = separator; }

 private:
  FormatSettingsGuard FGuard;
};

String Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  String text;
  for (unsigned char b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

template <typename E>
String MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.Message();
  }
  return "no exception";
}

TEST(Variant, TypeCodesAndKindTests) {
  struct Row {
    Variant Value;
    TVarType Type;
    bool Ordinal, Float, Str;
  };
  const Row rows[] = {
      {Variant(), varEmpty, false, false, false},
      {Null(), varNull, false, false, false},
      {Variant(true), varBoolean, true, false, false},
      {Variant(static_cast<short>(1)), varSmallint, true, false, false},
      {Variant(1), varInteger, true, false, false},
      {Variant(static_cast<signed char>(1)), varShortInt, true, false, false},
      {Variant(static_cast<unsigned char>(1)), varByte, true, false, false},
      {Variant(static_cast<unsigned short>(1)), varWord, true, false, false},
      {Variant(1u), varLongWord, true, false, false},
      {Variant(int64_t{1}), varInt64, true, false, false},
      {Variant(1LL), varInt64, true, false, false},
      {Variant(1.0f), varSingle, false, true, false},
      {Variant(1.0), varDouble, false, true, false},
      {VarFromCurrencyScaled(10000), varCurrency, false, true, false},
      {VarFromDateTime(1.0), varDate, false, false, false},
      {Variant("abc"), varOleStr, false, false, true},
      {Variant(String("abc")), varOleStr, false, false, true},
      {VarAsString8("abc"), varString, false, false, true},
      {VarArrayOf({1, 2}), varArray | varVariant, false, false, false},
      {VarArrayCreate(0, 1, varInteger), varArray | varInteger, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(VarTypeAsText(row.Type));
    EXPECT_EQ(VarType(row.Value), row.Type);
    EXPECT_EQ(VarIsOrdinal(row.Value), row.Ordinal);
    EXPECT_EQ(VarIsFloat(row.Value), row.Float);
    EXPECT_EQ(VarIsNumeric(row.Value), row.Ordinal || row.Float);
    EXPECT_EQ(VarIsStr(row.Value), row.Str);
    EXPECT_EQ(VarIsEmpty(row.Value), row.Type == varEmpty);
    EXPECT_EQ(VarIsClear(row.Value), row.Type == varEmpty);
    EXPECT_EQ(VarIsNull(row.Value), row.Type == varNull);
    EXPECT_EQ(VarIsArray(row.Value), (row.Type & varArray) != 0);
  }
}

TEST(Variant, TypeNames) {
  const std::pair<TVarType, const char*> rows[] = {
      {varEmpty, "Empty"},
      {varNull, "Null"},
      {varSmallint, "Smallint"},
      {varInteger, "Integer"},
      {varSingle, "Single"},
      {varDouble, "Double"},
      {varCurrency, "Currency"},
      {varDate, "Date"},
      {varOleStr, "OleStr"},
      {varDispatch, "Dispatch"},
      {varError, "Error"},
      {varBoolean, "Boolean"},
      {varVariant, "Variant"},
      {varUnknown, "Unknown"},
      {varShortInt, "ShortInt"},
      {varByte, "Byte"},
      {varWord, "Word"},
      {varLongWord, "LongWord"},
      {varInt64, "Int64"},
      {varString, "String"},
      {varArray | varVariant, "Array of Variant"},
      {0x000E, "$000E"},
  };
  for (const auto& [type, name] : rows) EXPECT_EQ(VarTypeAsText(type), name);
}

TEST(Variant, ConversionsToNumbersAndText) {
  SeparatorScope dot('.');
  struct Row {
    Variant Value;
    double Double;
    int64_t Integer;
    const char* Text;
    bool Boolean;
  };
  const Row rows[] = {
      {Variant(), 0, 0, "", false},
      {Variant(true), -1, -1, "True", true},
      {Variant(false), 0, 0, "False", false},
      {Variant(-7), -7, -7, "-7", true},
      {Variant(4294967295u), 4294967295.0, 4294967295LL, "4294967295", true},
      {Variant(2.5), 2.5, 2, "2.5", true},  // half to even
      {Variant(3.5), 3.5, 4, "3.5", true},
      {Variant(-2.5), -2.5, -2, "-2.5", true},
      {Variant(-3.5), -3.5, -4, "-3.5", true},
      {Variant(0.5f), 0.5, 0, "0.5", true},
      {VarFromCurrencyScaled(25000), 2.5, 2, "2.5", true},
      {VarFromCurrencyScaled(-35000), -3.5, -4, "-3.5", true},
      {VarFromCurrencyScaled(15000), 1.5, 2, "1.5", true},
      {VarFromCurrencyScaled(-15001), -1.5001, -2, "-1.5001", true},
      {VarFromCurrencyScaled(12345), 1.2345, 1, "1.2345", true},
      {Variant("2.5"), 2.5, 2, "2.5", true},
      {Variant(" 12 "), 12, 12, " 12 ", true},
      {VarAsString8("9007199254740993"), 9007199254740992.0, 9007199254740993LL, "9007199254740993",
       true},
      {Variant("true"), -1, -1, "true", true},
      {Variant("FALSE"), 0, 0, "FALSE", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(VarToStr(row.Value) + " as " + VarTypeAsText(VarType(row.Value)));
    EXPECT_EQ(row.Value.AsDouble(), row.Double);
    EXPECT_EQ(row.Value.AsInt64(), row.Integer);
    if (row.Integer == static_cast<int32_t>(row.Integer)) {
      EXPECT_EQ(row.Value.AsInteger(), row.Integer);
    }
    EXPECT_EQ(row.Value.AsString(), row.Text);
    EXPECT_EQ(row.Value.AsBoolean(), row.Boolean);
  }
}

TEST(Variant, DatesConvertAsTheirDoubleAndAsDateText) {
  const TDateTime when = 45000.25;
  const Variant date = VarFromDateTime(when);
  EXPECT_EQ(date.AsDouble(), when);
  EXPECT_EQ(date.AsDateTime(), when);
  EXPECT_EQ(date.AsString(), DateTimeToStr(when));
  EXPECT_EQ(Variant(DateTimeToStr(when)).AsDateTime(), StrToDateTime(DateTimeToStr(when)));
  EXPECT_EQ(Variant(when).AsDateTime(), when);
}

TEST(Variant, DecimalSeparatorFollowsTheLocale) {
  SeparatorScope comma(',');
  EXPECT_EQ(Variant(1.5).AsString(), "1,5");
  EXPECT_EQ(VarFromCurrencyScaled(15000).AsString(), "1,5");
  EXPECT_EQ(Variant("1,5").AsDouble(), 1.5);
  EXPECT_THROW(Variant("1.5").AsDouble(), EVariantTypeCastError);
  EXPECT_TRUE(Variant("1,5") == 1.5);
}

TEST(Variant, ValuesOutOfRangeOverflowInsteadOfTruncating) {
  const std::pair<Variant, TVarType> rows[] = {
      {Variant(2147483647.5), varInteger},  // rounds up to 2^31
      {Variant(1e19), varInt64},
      {Variant(std::nan("")), varInt64},
      {Variant(std::numeric_limits<double>::infinity()), varInteger},
      {Variant(int64_t{1} << 31), varInteger},
      {Variant("99999999999"), varInteger},
      {Variant(300), varByte},
      {Variant(-1), varLongWord},
      {Variant(40000), varSmallint},
      {Variant(128), varShortInt},
      {Variant(1e300), varSingle},
      {Variant(int64_t{1} << 62), varCurrency},
  };
  for (const auto& [value, target] : rows) {
    SCOPED_TRACE(VarToStr(value) + " into " + VarTypeAsText(target));
    EXPECT_THROW(VarAsType(value, target), EVariantOverflowError);
  }
  EXPECT_EQ(Variant(-2147483648.5).AsInteger(), INT32_MIN) << "rounds to even, which fits";
  EXPECT_EQ(MessageOf<EVariantOverflowError>([] { Variant(1e10).AsInteger(); }),
            "Overflow while converting variant of type (Double) into type (Integer)");
}

TEST(Variant, FailedConversionsNameBothTypes) {
  SeparatorScope dot('.');
  const std::pair<std::function<void()>, const char*> rows[] = {
      {[] { VarAsString8("abc").AsDouble(); },
       "Could not convert variant of type (String) into type (Double)"},
      {[] { Variant("1,5").AsInteger(); },
       "Could not convert variant of type (OleStr) into type (Integer)"},
      {[] { Variant("yes").AsBoolean(); },
       "Could not convert variant of type (OleStr) into type (Boolean)"},
      {[] { Null().AsDouble(); }, "Could not convert variant of type (Null) into type (Double)"},
      {[] { Null().AsString(); }, "Could not convert variant of type (Null) into type (String)"},
      {[] { Variant("x").AsDateTime(); },
       "Could not convert variant of type (OleStr) into type (Date)"},
      {[] { VarArrayOf({1}).AsInt64(); },
       "Could not convert variant of type (Array of Variant) into type (Int64)"},
      {[] { VarAsType(Variant(1), varDispatch); },
       "Could not convert variant of type (Integer) into type (Dispatch)"},
      {[] { VarAsType(Null(), varInteger); },
       "Could not convert variant of type (Null) into type (Integer)"},
      {[] { VarAsType(VarArrayOf({1}), varOleStr); },
       "Could not convert variant of type (Array of Variant) into type (OleStr)"},
  };
  for (const auto& [action, message] : rows) {
    EXPECT_EQ(MessageOf<EVariantTypeCastError>(action), message);
  }
}

TEST(Variant, NullAsTextOnlyThroughVarToStr) {
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStrDef(Null(), "-"), "-");
  EXPECT_EQ(VarToStrDef(Variant(), "-"), "");
  EXPECT_EQ(VarToStrDef(Variant(5), "-"), "5");
}

TEST(Variant, VarAsTypeGivesTheTargetKind) {
  SeparatorScope dot('.');
  struct Row {
    Variant Value;
    TVarType Target;
    String Text;
  };
  const Row rows[] = {
      {Variant(2.5), varInteger, "2"},
      {Variant("12"), varSmallint, "12"},
      {Variant(7), varOleStr, "7"},
      {Variant(7), varString, "7"},
      {Variant("abc"), varString, "abc"},
      {Variant(true), varDouble, "-1"},
      {Variant(1.23456), varCurrency, "1.2346"},
      {Variant(3), varCurrency, "3"},
      {Variant("0"), varBoolean, "False"},
      {Variant(45000), varDate, DateTimeToStr(45000)},
      {Variant(0.25), varSingle, "0.25"},
      {Variant(), varInteger, "0"},
      {Variant(5), varVariant, "5"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(VarToStr(row.Value) + " into " + VarTypeAsText(row.Target));
    const Variant converted = VarAsType(row.Value, row.Target);
    EXPECT_EQ(VarType(converted), row.Target == varVariant ? VarType(row.Value) : row.Target);
    EXPECT_EQ(converted.AsString(), row.Text);
  }
  EXPECT_TRUE(VarIsNull(VarAsType(Variant(), varNull)));
  EXPECT_TRUE(VarIsEmpty(VarAsType(Variant(1), varEmpty)));
}

TEST(Variant, EqualityAcrossKinds) {
  SeparatorScope dot('.');
  struct Row {
    Variant A, B;
    bool Equal;
  };
  const Row rows[] = {
      {Variant(1), Variant(1.0), true},
      {Variant(static_cast<short>(1)), Variant(int64_t{1}), true},
      {Variant(static_cast<unsigned char>(255)), Variant(255u), true},
      {Variant(true), Variant(-1), true},
      {Variant(false), Variant(0.0), true},
      {Variant(true), Variant(1), false},
      {VarFromCurrencyScaled(15000), Variant(1.5), true},
      {VarFromDateTime(2.0), Variant(2), true},
      {Variant(0.5f), Variant(0.5), true},
      {Variant(2), Variant(3), false},
      {Variant("abc"), VarAsString8("abc"), true},
      {Variant("abc"), Variant("ABC"), false},
      {Variant("1.5"), Variant(1.5), true},
      {Variant(2), Variant(" 2"), true},
      {Variant("True"), Variant(true), true},
      {Variant("01"), Variant("1"), false},
      {Variant(), Variant(), true},
      {Variant(), Variant(0), true},
      {Variant(), Variant(false), true},
      {Variant(), Variant(""), true},
      {Variant(), Variant(1), false},
      {Variant(), Variant("a"), false},
      {Variant(), Null(), false},
      {Null(), Null(), true},
      {Null(), Variant(0), false},
      {Null(), Variant(""), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(VarTypeAsText(VarType(row.A)) + " " + VarToStr(row.A) + " vs " +
                 VarTypeAsText(VarType(row.B)) + " " + VarToStr(row.B));
    EXPECT_EQ(row.A == row.B, row.Equal);
    EXPECT_EQ(row.B == row.A, row.Equal);
    EXPECT_EQ(row.A != row.B, !row.Equal);
  }
}

TEST(Variant, ComparisonsThatCannotBeMadeRaise) {
  EXPECT_THROW((void)(VarArrayOf({1}) == VarArrayOf({1})), EVariantInvalidOpError);
  EXPECT_THROW((void)(Variant(1) == VarArrayOf({1})), EVariantInvalidOpError);
  EXPECT_THROW((void)(Null() == VarArrayOf({1})), EVariantInvalidOpError);
  EXPECT_EQ(MessageOf<EVariantInvalidOpError>([] { (void)(VarArrayOf({}) == Variant()); }),
            "Invalid variant operation");
  EXPECT_THROW((void)(Variant("abc") == Variant(1)), EVariantTypeCastError);
}

TEST(Variant, CompareValueOrders) {
  struct Row {
    Variant A, B;
    TVariantRelationship Relation;
  };
  const Row rows[] = {
      {Variant(1), Variant(2.5), vrLessThan},
      {Variant(int64_t{1} << 60), Variant((int64_t{1} << 60) + 1), vrLessThan},
      {Variant("b"), Variant("a"), vrGreaterThan},
      {Variant("B"), Variant("a"), vrLessThan},
      {Variant(), Variant(-1), vrGreaterThan},
      {Variant("10"), Variant(9), vrGreaterThan},
      {Variant(true), Variant(false), vrLessThan},
      {Null(), Variant(1), vrNotEqual},
      {Null(), Null(), vrEqual},
      {Variant(std::nan("")), Variant(1), vrNotEqual},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(VarToStr(row.A) + " vs " + VarToStr(row.B));
    EXPECT_EQ(VarCompareValue(row.A, row.B), row.Relation);
  }
}

TEST(Variant, ArrayBoundsAndElements) {
  Variant array = VarArrayCreate(1, 3, varVariant);
  EXPECT_EQ(VarArrayDimCount(array), 1);
  EXPECT_EQ(VarArrayLowBound(array), 1);
  EXPECT_EQ(VarArrayHighBound(array), 3);
  EXPECT_TRUE(VarIsEmpty(array[2]));
  array.SetElement(3, "x");
  array.SetElement(1, 2.5);
  EXPECT_EQ(VarType(array.GetElement(1)), varDouble);
  EXPECT_EQ(array[3].AsString(), "x");

  for (int index : {0, 4, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(MessageOf<EVariantBadIndexError>([&] { array.GetElement(index); }),
              "Variant or safe array index out of bounds");
    EXPECT_THROW(array.SetElement(index, 1), EVariantBadIndexError);
  }
  EXPECT_THROW(VarArrayLowBound(array, 2), EVariantBadIndexError);

  Variant scalar(5);
  EXPECT_EQ(MessageOf<EVariantInvalidArgError>([&] { scalar.GetElement(0); }), "Invalid argument");
  EXPECT_THROW(scalar.SetElement(0, 1), EVariantInvalidArgError);
  EXPECT_THROW(VarArrayHighBound(scalar), EVariantInvalidArgError);
  EXPECT_EQ(VarArrayDimCount(scalar), 0);

  const Variant listed = VarArrayOf({7, "y"});
  EXPECT_EQ(VarArrayLowBound(listed), 0);
  EXPECT_EQ(VarArrayHighBound(listed), 1);
  EXPECT_EQ(listed[1].AsString(), "y");
  EXPECT_EQ(VarArrayHighBound(VarArrayOf({})), -1);
}

TEST(Variant, CopiesOwnTheirArrays) {
  Variant inner = VarArrayOf({1});
  Variant original = VarArrayOf({inner, "a"});
  Variant copy = original;
  copy.SetElement(1, "b");
  Variant changedInner = copy[0];
  changedInner.SetElement(0, 2);
  copy.SetElement(0, changedInner);
  Variant assigned;
  assigned = original;
  original.SetElement(1, "c");

  EXPECT_EQ(original[0][0].AsInteger(), 1);
  EXPECT_EQ(copy[0][0].AsInteger(), 2);
  EXPECT_EQ(copy[1].AsString(), "b");
  EXPECT_EQ(assigned[1].AsString(), "a");
  EXPECT_EQ(inner[0].AsInteger(), 1);
}

TEST(Variant, TypedArraysHoldTheirElementType) {
  SeparatorScope dot('.');
  Variant numbers = VarArrayCreate(0, 1, varInteger);
  EXPECT_EQ(VarType(numbers[0]), varInteger);
  EXPECT_EQ(numbers[0].AsInteger(), 0);
  numbers.SetElement(0, 2.5);
  numbers.SetElement(1, "41");
  EXPECT_EQ(VarType(numbers[0]), varInteger);
  EXPECT_EQ(numbers[0].AsInteger(), 2);
  EXPECT_EQ(VarType(numbers[1]), varInteger);
  EXPECT_THROW(numbers.SetElement(1, "x"), EVariantTypeCastError);
  EXPECT_THROW(numbers.SetElement(1, Null()), EVariantTypeCastError);
  EXPECT_THROW(numbers.SetElement(1, 1e10), EVariantOverflowError);
  EXPECT_EQ(numbers[1].AsInteger(), 41) << "a failed assignment keeps the element";

  Variant texts = VarArrayCreate(0, 0, varOleStr);
  EXPECT_EQ(VarType(texts[0]), varOleStr);
  texts.SetElement(0, 5);
  EXPECT_EQ(VarType(texts[0]), varOleStr);
  EXPECT_EQ(texts[0].AsString(), "5");
}

TEST(Variant, ArraysThatCannotBeMade) {
  EXPECT_EQ(MessageOf<EVariantArrayCreateError>([] { VarArrayCreate(0, -2, varVariant); }),
            "Error creating variant or safe array");
  EXPECT_EQ(VarArrayHighBound(VarArrayCreate(5, 4, varVariant)), 4);
  EXPECT_EQ(VarArrayLowBound(VarArrayCreate(INT32_MIN, INT32_MIN, varVariant)), INT32_MIN);
  for (TVarType type : {varEmpty, varNull, varString, varDispatch, varError, varUnknown,
                        TVarType(varArray | varVariant)}) {
    SCOPED_TRACE(VarTypeAsText(type));
    EXPECT_THROW(VarArrayCreate(0, 1, type), EVariantArrayCreateError);
  }
}

TEST(Variant, RedimKeepsLowBoundAndElements) {
  Variant array = VarArrayCreate(1, 2, varSmallint);
  array.SetElement(1, 10);
  array.SetElement(2, 20);
  VarArrayRedim(array, 4);
  EXPECT_EQ(VarArrayLowBound(array), 1);
  EXPECT_EQ(VarArrayHighBound(array), 4);
  EXPECT_EQ(array[2].AsInteger(), 20);
  EXPECT_EQ(VarType(array[4]), varSmallint);
  EXPECT_EQ(array[4].AsInteger(), 0);
  VarArrayRedim(array, 1);
  EXPECT_EQ(VarArrayHighBound(array), 1);
  EXPECT_EQ(array[1].AsInteger(), 10);
  VarArrayRedim(array, 0);
  EXPECT_EQ(VarArrayHighBound(array), 0);
  EXPECT_THROW(array.GetElement(1), EVariantBadIndexError);
  EXPECT_THROW(VarArrayRedim(array, -1), EVariantArrayCreateError);
  Variant scalar(1);
  EXPECT_THROW(VarArrayRedim(scalar, 3), EVariantInvalidArgError);
}

TEST(Variant, RawBytesPerTypeCode) {
  const std::pair<Variant, const char*> rows[] = {
      {Variant(static_cast<short>(0x0102)), "02 01"},
      {Variant(0x01020304), "04 03 02 01"},
      {Variant(-2), "FE FF FF FF"},
      {Variant(1.0f), "00 00 80 3F"},
      {Variant(1.0), "00 00 00 00 00 00 F0 3F"},
      {VarFromCurrencyScaled(1), "01 00 00 00 00 00 00 00"},
      {VarFromDateTime(-1.0), "00 00 00 00 00 00 F0 BF"},
      {Variant(true), "FF FF"},
      {Variant(false), "00 00"},
      {Variant(static_cast<signed char>(-1)), "FF"},
      {Variant(static_cast<unsigned char>(0x7F)), "7F"},
      {Variant(static_cast<unsigned short>(0xABCD)), "CD AB"},
      {Variant(0xF1020304u), "04 03 02 F1"},
      {Variant(int64_t{0x0102030405060708}), "08 07 06 05 04 03 02 01"},
      {Variant("ab"), "61 00 62 00"},
      {Variant("Жж"), "16 04 36 04"},
      {Variant("\xF0\x9F\x98\x80"), "3D D8"},  // one 8-bit character: the first code unit
      {VarAsString8("Жa"), "C6 61"},
      {VarAsString8("abc"), "61 62 63"},
      {Variant(""), ""},
      {Variant(), ""},
      {Null(), ""},
      {VarArrayOf({1}), ""},
  };
  for (const auto& [value, hex] : rows) {
    SCOPED_TRACE(VarTypeAsText(VarType(value)));
    std::string buffer = "#";
    VarAppendRawBytes(value, buffer);
    EXPECT_EQ(buffer.substr(0, 1), "#") << "appends to what is there";
    EXPECT_EQ(Hex(buffer.substr(1)), hex);
  }
}

std::unordered_set<VarKey> KeysOf(const Variant& v) {
  std::vector<VarKey> keys;
  VarEqualityKeys(v, keys);
  return {keys.begin(), keys.end()};
}

bool ShareAKey(const std::unordered_set<VarKey>& a, const std::unordered_set<VarKey>& b) {
  for (const VarKey& key : a) {
    if (b.count(key)) return true;
  }
  return false;
}

// Every equal pair (by ==, without an exception) must meet in at least one key.
void ExpectKeysAgreeWithEquality(const std::vector<Variant>& values) {
  for (const Variant& a : values) {
    for (const Variant& b : values) {
      bool equal = false;
      try {
        equal = a == b;
      } catch (const EVariantError&) {
        continue;
      }
      if (equal) {
        EXPECT_TRUE(ShareAKey(KeysOf(a), KeysOf(b)))
            << VarTypeAsText(VarType(a)) << " " << VarToStr(a) << " vs "
            << VarTypeAsText(VarType(b)) << " " << VarToStr(b);
      }
    }
  }
}

const std::vector<Variant>& MixedValues() {
  static const std::vector<Variant> values = {
      Variant(),
      Null(),
      Variant(0),
      Variant(-0.0),
      Variant(1),
      Variant(1.0),
      Variant(1.0f),
      Variant(-1),
      Variant(true),
      Variant(false),
      Variant(static_cast<short>(1)),
      Variant(static_cast<unsigned char>(1)),
      Variant(int64_t{1}),
      Variant(1.5),
      VarFromCurrencyScaled(15000),
      VarFromCurrencyScaled(10000),
      VarFromDateTime(1.0),
      Variant(""),
      Variant("1"),
      Variant(" 1"),
      Variant("1.5"),
      Variant("1,5"),
      Variant("-0"),
      Variant("True"),
      Variant("false"),
      Variant("abc"),
      VarAsString8("abc"),
      VarAsString8("1"),
      Variant("1e0"),
      VarArrayOf({1}),
  };
  return values;
}

TEST(Variant, EqualityKeysAgreeWithEqualityUnderEitherSeparator) {
  for (char separator : {'.', ','}) {
    SCOPED_TRACE(separator);
    SeparatorScope scope(separator);
    ExpectKeysAgreeWithEquality(MixedValues());
  }
}

TEST(Variant, EqualityKeysTakenUnderOneSeparatorMeetLookupsUnderTheOther) {
  std::unordered_set<VarKey> stored;
  {
    SeparatorScope dot('.');
    stored = KeysOf(Variant("1,5"));
  }
  SeparatorScope comma(',');
  ASSERT_TRUE(Variant("1,5") == Variant(1.5));
  EXPECT_TRUE(ShareAKey(stored, KeysOf(Variant(1.5))));
}

TEST(Variant, EqualityKeysOfKinds) {
  EXPECT_TRUE(KeysOf(VarArrayOf({1})).empty());
  EXPECT_EQ(KeysOf(Null()), std::unordered_set<VarKey>{VarKey::OfNull()});
  EXPECT_EQ(KeysOf(Variant(-0.0)), std::unordered_set<VarKey>{VarKey::OfNumber(0)});
  EXPECT_FALSE(ShareAKey(KeysOf(Variant(1)), KeysOf(Variant(2))));
  EXPECT_FALSE(ShareAKey(KeysOf(Variant("a")), KeysOf(Null())));
}

}  // namespace
