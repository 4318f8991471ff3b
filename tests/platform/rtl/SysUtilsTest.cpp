#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "platform/rtl/SysUtils.h"

namespace {

struct FormatCase {
  const char* Format;
  std::vector<TVarRec> Args;
  const char* Expected;
};

TEST(FormatTest, FormatsEverySpecifierAsThePlatform) {
  const FormatCase cases[] = {
      {"%d|%5d|%-5d|", {42, 42, 42}, "42|   42|42   |"},
      {"%.4d %.4d %.1d", {7, -7, 123}, "0007 -0007 123"},
      {"[%.4d, %d, %d] %s", {12, 3, 45, "Name"}, "[0012, 3, 45] Name"},
      {"%d", {static_cast<long long>(-9000000000LL)}, "-9000000000"},
      {"%u %u", {-1, static_cast<long long>(-1)}, "4294967295 18446744073709551615"},
      {"%x %.4x %x %X", {255, 255, -1, 171}, "FF 00FF FFFFFFFF AB"},
      {"%x", {static_cast<long long>(-1)}, "FFFFFFFFFFFFFFFF"},
      {"%s|%.2s|%5s|%-5s|", {"abc", "abcdef", "ab", "ab"}, "abc|ab|   ab|ab   |"},
      {"%s%s", {'a', "b"}, "ab"},  // a character is a one-character string
      // Widths and precisions count characters, not bytes.
      {"%.2s|%4s|", {"Привет", "Ёж"}, "Пр|  Ёж|"},
      {"%f %.0f %.3f %.2f", {1.5, 2.5, -3.14159, 0.125}, "1.50 3 -3.142 0.13"},
      {"%.2f %.2f", {2.675, -0.001}, "2.67 0.00"},
      {"%e %.3e", {1000.0, -0.000123456}, "1.00000000000000E+003 -1.23E-004"},
      {"%e", {0.0}, "0.00000000000000E+000"},
      {"%g %g %g %.3g", {0.1 + 0.2, 1e20, 1e-6, 1234.5}, "0.3 1E20 1E-6 1.23E3"},
      {"%n %.0n %.1n", {1234567.891, 999.5, -1234.25}, "1 234 567.89 1 000 -1 234.3"},
      {"%m|%m|%.0m", {1234.5, -5.0, 7.0}, "1 234.50 р.|-5.00 р.|7 р."},
      {"%p", {static_cast<const void*>(nullptr)}, "0000000000000000"},
      {"100%% %s", {"done"}, "100% done"},
      {"%1:s %0:s %s", {"a", "b"}, "b a b"},
      {"%d %d %0:d %d", {10, 20}, "10 20 10 20"},
      {"%*d|%-*.*f|%.*s", {5, 42, 8, 3, 3.14159, 2, "xyz"}, "   42|3.142   |xy"},
      {"%*d|", {-3, 42}, "42|"},
      {"%D %S %F", {1, "s", 1.0}, "1 s 1.00"},
      {"no specifiers", {}, "no specifiers"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.Format, c.Args), c.Expected) << c.Format;
}

TEST(FormatTest, PointerIsUpperCaseHexOfFullWidth) {
  const void* pointer = reinterpret_cast<const void*>(static_cast<uintptr_t>(0xABCDEF));
  EXPECT_EQ(Format("%p", {pointer}), "0000000000ABCDEF");
}

TEST(FormatTest, FloatsFollowTheDecimalSeparator) {
  FormatSettingsGuard guard;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(Format("%.2f %n %g %.2e", {1.5, 1234.5, 0.25, 12.0}), "1,50 1.234,50 0,25 1,2E+001");
}

TEST(FormatTest, MismatchedOrMissingArgumentsAreConvertErrors) {
  const FormatCase invalid[] = {
      {"%d", {1.5}, nullptr},  {"%d", {"7"}, nullptr},   {"%s", {5}, nullptr},
      {"%s", {true}, nullptr}, {"%d", {false}, nullptr}, {"%f", {1}, nullptr},
      {"%x", {2.0}, nullptr},  {"%p", {5}, nullptr},     {"%*d", {"4", 5}, nullptr},
      {"%y", {5}, nullptr},    {"abc %", {1}, nullptr},  {"%5", {1}, nullptr},
      {"%5-d", {1}, nullptr},
      // Widths that would pad out gigabytes (found by fuzzing) are refused, not allocated.
      {"%77777777777777777777.U", {1}, nullptr}, {"%.99999999d", {1}, nullptr},
      {"%*d", {1 << 30, 1}, nullptr},
  };
  for (const auto& c : invalid) {
    try {
      Format(c.Format, c.Args);
      ADD_FAILURE() << c.Format << " formatted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(),
                String("Format '") + c.Format + "' invalid or incompatible with argument");
    }
  }
  const FormatCase missing[] = {{"%d %d", {1}, nullptr},
                                {"%2:d", {1, 2}, nullptr},
                                {"%*d", {5}, nullptr},
                                {"%s", {}, nullptr}};
  for (const auto& c : missing) {
    try {
      Format(c.Format, c.Args);
      ADD_FAILURE() << c.Format << " formatted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), String("No argument for format '") + c.Format + "'");
    }
  }
}

TEST(FloatToStrTest, GeneralFormWithFifteenDigits) {
  const struct {
    double Value;
    const char* Expected;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1.5, "1.5"},
      {-2.25, "-2.25"},
      {100.0, "100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.9, "1E15"},
      {1e15, "1E15"},
      {1.5e20, "1.5E20"},
      {1e-5, "0.00001"},
      {1.25e-5, "0.0000125"},
      {1e-6, "1E-6"},
      {-2.5e-10, "-2.5E-10"},
      {1.7976931348623157e308, "1.79769313486232E308"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.Value), c.Expected) << c.Expected;
}

TEST(FloatToStrTest, SeparatorFromSettingsOrGiven) {
  FormatSettingsGuard guard;
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(1234.5), "1234,5");
  EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
  EXPECT_EQ(FloatToStr(7.5, '.'), "7.5");
}

TEST(FloatToStrTest, FloatToStrFFormats) {
  const struct {
    double Value;
    TFloatFormat Format;
    int Precision, Digits;
    const char* Expected;
  } cases[] = {
      {123.456, TFloatFormat::ffFixed, 15, 2, "123.46"},
      {123.456, TFloatFormat::ffFixed, 4, 2, "123.50"},
      {-0.5, TFloatFormat::ffFixed, 15, 0, "-1"},
      {1e20, TFloatFormat::ffFixed, 15, 2, "1E20"},
      {1000.0, TFloatFormat::ffExponent, 15, 0, "1.00000000000000E+3"},
      {0.5, TFloatFormat::ffExponent, 3, 2, "5.00E-01"},
      {9.99, TFloatFormat::ffExponent, 2, 0, "1.0E+1"},
      {-1234567.5, TFloatFormat::ffNumber, 15, 1, "-1 234 567.5"},
      {12.0, TFloatFormat::ffNumber, 15, 0, "12"},
      {1234567.0, TFloatFormat::ffGeneral, 4, 0, "1.235E6"},
      {1234567.0, TFloatFormat::ffGeneral, 4, 2, "1.235E06"},
      {1234.5, TFloatFormat::ffCurrency, 15, 2, "1 234.50 р."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits), c.Expected) << c.Expected;
  }
}

TEST(FloatToStrTest, CurrencyPatternsFromSettings) {
  FormatSettingsGuard guard;
  FormatSettings.CurrencyString = "$";
  FormatSettings.CurrencyFormat = 0;
  FormatSettings.NegCurrFormat = 0;
  EXPECT_EQ(Format("%m %m", {12.5, -12.5}), "$12.50 ($12.50)");
  FormatSettings.NegCurrFormat = 15;
  FormatSettings.CurrencyDecimals = 0;
  EXPECT_EQ(Format("%m", {-3.0}), "(3 $)");
}

TEST(IntToTextTest, IntToStrAndIntToHexOfEachWidth) {
  EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDE, 2), "ABCDE");
  EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFF");
  EXPECT_EQ(IntToHex(static_cast<int64_t>(-1), 4), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(static_cast<short>(-2), 1), "FFFE");
}

TEST(StrToIntTest, ReadsDecimalAndHexInThirtyTwoBits) {
  const struct {
    const char* Text;
    int32_t Expected;
  } valid[] = {
      {"42", 42},
      {"  -17", -17},
      {"+5", 5},
      {"007", 7},
      {"$FF", 255},
      {"0x1f", 31},
      {"0X1F", 31},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"-$80000000", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
  };
  for (const auto& c : valid) EXPECT_EQ(StrToInt(c.Text), c.Expected) << c.Text;

  const char* invalid[] = {"",           " ",           "-",
                           "$",          "0x",          "12a",
                           "12 ",        "1.5",         "\t5",
                           "2147483648", "-2147483649", "$100000000",
                           "-$80000001", "--1",         "99999999999999999999"};
  for (const char* text : invalid) {
    int32_t value = 123;
    EXPECT_FALSE(TryStrToInt(text, value)) << text;
    EXPECT_EQ(value, 123) << text;
    EXPECT_EQ(StrToIntDef(text, -5), -5) << text;
  }
  try {
    StrToInt("12x");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12x' is not a valid integer value");
  }
}

TEST(StrToIntTest, ReadsSixtyFourBits) {
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("4294967296"), 4294967296LL);
  EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64Def("9223372036854775808", 9), 9);
  EXPECT_EQ(StrToInt64Def("$10000000000000000", 9), 9);
  EXPECT_THROW(StrToInt64("x"), EConvertError);
}

TEST(StrToFloatTest, ReadsWithTheDecimalSeparator) {
  const struct {
    const char* Text;
    double Expected;
  } valid[] = {
      {"1.5", 1.5}, {" -2.5e3 ", -2500}, {"1E-2", 0.01}, {".5", 0.5},  {"5.", 5},
      {"+3", 3},    {"1e+2", 100},       {"1e-400", 0},  {"0e999", 0}, {"007.25", 7.25},
  };
  for (const auto& c : valid) EXPECT_DOUBLE_EQ(StrToFloat(c.Text), c.Expected) << c.Text;

  const char* invalid[] = {"",    " ",    ".",    "1,5", "1e",    "1e+",
                           "abc", "1.5x", "--1",  "1 5", "1E400", "1e99999999999999999999",
                           "inf", "nan",  "1.2.3"};
  for (const char* text : invalid) {
    double value = 7;
    EXPECT_FALSE(TryStrToFloat(text, value)) << text;
    EXPECT_EQ(value, 7) << text;
  }
  EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
  try {
    StrToFloat("1,5");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1,5' is not a valid floating point value");
  }

  FormatSettingsGuard guard;
  FormatSettings.DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
  double value = 0;
  EXPECT_TRUE(TryStrToFloat("2.25", value, '.'));
  EXPECT_DOUBLE_EQ(value, 2.25);
}

TEST(RoundTest, HalfToEven) {
  const struct {
    double Value;
    int64_t Expected;
  } cases[] = {
      {2.5, 2}, {3.5, 4},    {-2.5, -2}, {-3.5, -4}, {0.5, 0},
      {1.5, 2}, {2.4999, 2}, {-0.6, -1}, {7.0, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.Value), c.Expected) << c.Value;
    EXPECT_EQ(RoundToInt32(c.Value), static_cast<int32_t>(c.Expected)) << c.Value;
  }
  EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);
  EXPECT_EQ(Round(-9223372036854775808.0), INT64_MIN);
}

TEST(RoundTest, OutOfRangeIsAConvertError) {
  EXPECT_EQ(RoundToInt32(2147483647.4), INT32_MAX);
  EXPECT_EQ(RoundToInt32(-2147483648.5), INT32_MIN);
  try {
    RoundToInt32(3e9);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Value 3000000000 is out of the 32-bit integer range");
  }
  EXPECT_THROW(RoundToInt32(2147483647.5), EConvertError);
  EXPECT_THROW(Round(1e19), EConvertError);
  EXPECT_THROW(Round(std::nan("")), EConvertError);
  EXPECT_EQ(Trunc(-2.7), -2);
  EXPECT_THROW(Trunc(-1e19), EConvertError);
}

TEST(DateTest, EncodesDayNumbersFrom1899) {
  const struct {
    int Year, Month, Day;
    double Expected;
  } cases[] = {
      {1899, 12, 30, 0},  {1900, 1, 1, 2},         {2000, 1, 1, 36526}, {2024, 2, 29, 45351},
      {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1899, 12, 29, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Expected) << c.Year << "-" << c.Month;
    int year = 0, month = 0, day = 0;
    DecodeDate(c.Expected, year, month, day);
    EXPECT_EQ(year * 10000 + month * 100 + day, c.Year * 10000 + c.Month * 100 + c.Day);
  }
  const int invalid[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1},
                            {10000, 1, 1}, {2000, 13, 1}, {2000, 4, 31}};
  for (const auto& d : invalid) {
    TDateTime value = 5;
    EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], value));
    EXPECT_EQ(value, 5);
    EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError);
  }
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
}

TEST(DateTest, TimeIsTheFractionAlsoForNegativeDates) {
  int hour = 0, minute = 0, second = 0, msec = 0, year = 0, month = 0, day = 0;
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  DecodeTime(EncodeTime(23, 59, 59, 999), hour, minute, second, msec);
  EXPECT_EQ((std::vector<int>{hour, minute, second, msec}), (std::vector<int>{23, 59, 59, 999}));
  // -1.25 is 29 December 1899 at 06:00: the day truncated towards zero, the time the fraction.
  DecodeDate(-1.25, year, month, day);
  DecodeTime(-1.25, hour, minute, second, msec);
  EXPECT_EQ((std::vector<int>{year, month, day, hour, minute}),
            (std::vector<int>{1899, 12, 29, 6, 0}));
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(1, 0, 0, 1000), EConvertError);
}

TEST(DateTest, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(DayOfWeek(0), 7);                             // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);        // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1) + 0.9), 2);  // Monday evening
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);
}

TEST(DateTest, PackedFileDates) {
  const TDateTime expected = EncodeDate(1980, 1, 1) + EncodeTime(17, 42, 34, 0);
  EXPECT_DOUBLE_EQ(FileDateToDateTime(2198865), expected);
  EXPECT_EQ(DateTimeToFileDate(expected), 2198865);
  const TDateTime late = EncodeDate(2107, 12, 31) + EncodeTime(23, 59, 59, 0);
  EXPECT_DOUBLE_EQ(FileDateToDateTime(DateTimeToFileDate(late)), late - EncodeTime(0, 0, 1, 0));
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(2108, 1, 1)), 0);
  EXPECT_THROW(FileDateToDateTime(0), EConvertError);  // month 0
}

class FormatDateTimeTest : public ::testing::Test {
 protected:
  // Tuesday 5 March 2024, 14:07:09.045
  const TDateTime FValue = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
};

TEST_F(FormatDateTimeTest, Specifiers) {
  const struct {
    const char* Format;
    const char* Expected;
  } cases[] = {
      {"dd.mm.yyyy", "05.03.2024"},
      {"d/m/yy", "5.3.24"},
      {"ddd dddd", "Tue Tuesday"},
      {"mmm mmmm", "Mar March"},
      {"hh:nn:ss.zzz", "14:07:09.045"},
      {"h:n:s.z", "14:7:9.45"},
      {"hh:mm", "14:07"},
      {"hh 'at' mm", "14 at 07"},
      {"mm", "03"},
      {"hh:nn mm", "14:07 03"},
      {"h:mm am/pm", "2:07 pm"},
      {"h:mm AM/PM", "2:07 PM"},
      {"hh a/p", "02 p"},
      {"hh ampm", "02 PM"},
      {"hh 'am/pm'", "14 am/pm"},
      {"'dd' dd \"hh\"", "dd 05 hh"},
      {"'open", "open"},
      {"c", "05.03.2024 14:07:09"},
      {"", "05.03.2024 14:07:09"},
      {"ddddd|dddddd", "05.03.2024|5 March 2024"},
      {"t|tt", "14:07|14:07:09"},
      {"yyyy г.", "2024 г."},
      {"x", "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.Format, FValue), c.Expected) << c.Format;
}

TEST_F(FormatDateTimeTest, SettingsDecideNamesAndSeparators) {
  FormatSettingsGuard guard;
  FormatSettings.DateSeparator = '/';
  FormatSettings.TimeSeparator = '-';
  FormatSettings.LongMonthNames[2] = "марта";
  FormatSettings.TimePMString = "пп";
  // ampm further on switches the hour to the 12-hour clock.
  EXPECT_EQ(FormatDateTime("dd/mm hh:nn d mmmm ampm", FValue), "05/03 02-07 5 марта пп");
  // A format that names itself cannot recurse without end.
  FormatSettings.ShortDateFormat = "c";
  EXPECT_NO_THROW(FormatDateTime("c", FValue));
}

TEST_F(FormatDateTimeTest, MidnightAndTheStrForms) {
  const TDateTime midnight = EncodeDate(2024, 3, 5);
  EXPECT_EQ(FormatDateTime("c", midnight), "05.03.2024");
  EXPECT_EQ(FormatDateTime("h am/pm", midnight + EncodeTime(0, 30, 0, 0)), "12 am");
  EXPECT_EQ(DateTimeToStr(midnight), "05.03.2024");
  EXPECT_EQ(DateTimeToStr(FValue), "05.03.2024 14:07:09");
  EXPECT_EQ(DateToStr(FValue), "05.03.2024");
  EXPECT_EQ(TimeToStr(FValue), "14:07:09");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", -1.25), "29.12.1899 06:00");
}

TEST(StrToDateTest, FollowsTheShortDateFormatOrder) {
  EXPECT_EQ(StrToDate("05.03.2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate(" 5.3.2024 "), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate("5.3.24"), EncodeDate(2024, 3, 5));
  int year = 0, month = 0, day = 0;
  DecodeDate(StrToDate("05.03"), year, month, day);
  int currentYear = 0;
  DecodeDate(Date(), currentYear, month, day);
  EXPECT_EQ(year, currentYear);

  FormatSettingsGuard guard;
  FormatSettings.ShortDateFormat = "yyyy-mm-dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  FormatSettings.ShortDateFormat = "mm/dd/yyyy";
  FormatSettings.DateSeparator = '/';
  EXPECT_EQ(StrToDate("03/05/2024"), EncodeDate(2024, 3, 5));
}

TEST(StrToDateTest, InvalidDatesAreConvertErrors) {
  const char* invalid[] = {"",  "31.02.2024",  "05/03/2024", "05.03.2024x",
                           "5", "05.03.20245", "a.b.c"};
  for (const char* text : invalid) {
    try {
      StrToDate(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), String("'") + text + "' is not a valid date");
    }
  }
}

TEST(StrToDateTest, DateAndTime) {
  const TDateTime date = EncodeDate(2024, 3, 5);
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024 14:07:09"), date + EncodeTime(14, 7, 9, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024 14:07"), date + EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024 2:07 pm"), date + EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024 12:30 AM"), date + EncodeTime(0, 30, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024"), date);
  EXPECT_DOUBLE_EQ(StrToDateTime("14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("29.12.1899 06:00"), -1.25);
  for (const char* text : {"05.03.2024 25:00", "05.03.2024 13:00 PM", "05.03.2024 x", "14"}) {
    try {
      StrToDateTime(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), String("'") + text + "' is not a valid date and time");
    }
  }
}

TEST(TrimTest, RemovesControlCharactersAndBlanksAtTheEnds) {
  const struct {
    const char* Text;
    const char* Both;
    const char* Left;
    const char* Right;
  } cases[] = {
      {" \t a b \r\n", "a b", "a b \r\n", " \t a b"},
      {"\x01x\x20", "x", "x ", "\x01x"},
      {"", "", "", ""},
      {"   ", "", "", ""},
      // A no-break space is not a blank of the platform's Trim.
      {"\xC2\xA0x", "\xC2\xA0x", "\xC2\xA0x", "\xC2\xA0x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trim(c.Text), c.Both);
    EXPECT_EQ(TrimLeft(c.Text), c.Left);
    EXPECT_EQ(TrimRight(c.Text), c.Right);
  }
}

TEST(AsciiCaseTest, ChangesAndComparesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("abc_zЖж"), "ABC_ZЖж");
  EXPECT_EQ(LowerCase("ABC_ZЖж"), "abc_zЖж");
  EXPECT_TRUE(SameText("Field_Name", "FIELD_name"));
  EXPECT_FALSE(SameText("ж", "Ж"));
  EXPECT_FALSE(SameText("ab", "abc"));
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abc", "AB"), 0);
  EXPECT_LT(CompareStr("A", "a"), 0);
  EXPECT_GT(CompareStr("я", "z"), 0);  // bytes compare unsigned
  EXPECT_EQ(CompareStr("same", "same"), 0);
}

}  // namespace
