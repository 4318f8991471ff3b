// Conversions and formatting as the original platform does them: Format, FloatToStr, the integer
// and float readers, Trim, banker's rounding, dates, and the process-wide FormatSettings.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/rtl/Exceptions.h"

using TDateTime = double;  // days since 30 December 1899, time as the fraction

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ' ';
  char DateSeparator = '.';
  char TimeSeparator = ':';
  String ShortDateFormat = "dd.mm.yyyy";
  String LongDateFormat = "d mmmm yyyy";
  String ShortTimeFormat = "hh:nn";
  String LongTimeFormat = "hh:nn:ss";
  String TimeAMString = "AM";
  String TimePMString = "PM";
  String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  String LongMonthNames[12] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
  String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  String LongDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                            "Thursday", "Friday", "Saturday"};
  // %m and ffCurrency: the sign of the rouble, placed as the Russian installations place it.
  // CurrencyFormat 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; NegCurrFormat 0..15 as the platform numbers
  // its negative patterns (8 is "-1 $").
  String CurrencyString = "р.";
  int CurrencyFormat = 3;
  int NegCurrFormat = 8;
  int CurrencyDecimals = 2;
  // A two-digit year read by StrToDate lands within this many years before the current year and
  // less than 100 - TwoDigitYearCenturyWindow after it; 0 keeps the current century.
  int TwoDigitYearCenturyWindow = 50;
};

// The one process-wide set; code that needs another separator for a while switches it and puts
// it back (see FormatSettingsGuard).
extern TFormatSettings FormatSettings;

// Restores the whole FormatSettings on scope exit, also when an exception leaves the scope.
class FormatSettingsGuard {
 public:
  FormatSettingsGuard() : FSaved(FormatSettings) {}
  ~FormatSettingsGuard() { FormatSettings = FSaved; }
  FormatSettingsGuard(const FormatSettingsGuard&) = delete;
  FormatSettingsGuard& operator=(const FormatSettingsGuard&) = delete;

 private:
  TFormatSettings FSaved;
};

// One argument of Format: what an "array of const" element can hold.
class TVarRec {
 public:
  enum class Kind { Integer, Int64, Extended, String, Boolean, Pointer };
  // A character formats as a one-character string, as the platform's %s takes a Char.
  TVarRec(char v) : FKind(Kind::String), FStr(1, v) {}
  TVarRec(int v) : FKind(Kind::Integer), FInt(v) {}
  TVarRec(unsigned v) : FKind(Kind::Int64), FInt(v) {}
  TVarRec(long v) : FKind(Kind::Int64), FInt(v) {}
  TVarRec(long long v) : FKind(Kind::Int64), FInt(v) {}
  TVarRec(unsigned long v) : FKind(Kind::Int64), FInt(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long long v) : FKind(Kind::Int64), FInt(static_cast<int64_t>(v)) {}
  TVarRec(double v) : FKind(Kind::Extended), FFloat(v) {}
  TVarRec(bool v) : FKind(Kind::Boolean), FInt(v ? 1 : 0) {}
  TVarRec(const char* v) : FKind(Kind::String), FStr(v ? v : "") {}
  TVarRec(const String& v) : FKind(Kind::String), FStr(v) {}
  TVarRec(const void* v) : FKind(Kind::Pointer), FInt(reinterpret_cast<intptr_t>(v)) {}

  Kind GetKind() const { return FKind; }
  int64_t AsInt() const { return FInt; }
  double AsFloat() const { return FFloat; }
  const String& AsString() const { return FStr; }

 private:
  Kind FKind;
  int64_t FInt = 0;
  double FFloat = 0;
  String FStr;
};

// Format as the platform does it: %s %d %u %x %e %f %g %n %m %p %%, with index ("%1:s"), "-"
// (left-justify), width and precision, "*" taking them from the arguments. %x is upper-case hex,
// %.4d pads with zeros to four digits, %f has two decimals unless told, %g is the general form
// with 15 significant digits. A mismatch raises EConvertError
// "Format '<fmt>' invalid or incompatible with argument"; a missing argument raises
// EConvertError "No argument for format '<fmt>'".
// The rules in detail:
// - An index moves the argument position for the rest of the format ("%d %d %0:d %d" of 10, 20
//   gives "10 20 10 20"). "*" takes the next argument, which must be an integer; a negative
//   width pads nothing and a negative precision counts as none.
// - d, u and x take integers only: an int as 32 bits (so %x of -1 is "FFFFFFFF", %u of -1 is
//   4294967295), any wider integer as 64 bits. e, f, g, n and m take floating-point values
//   only, s takes texts only, p pointers only. A Boolean is accepted by none of them.
// - Width and %s precision count characters, not UTF-8 bytes. Type letters may be upper case.
// - Floats round half away from zero on their decimal digits (%.2f of 0.125 is "0.13"); a
//   value that rounds to zero shows no minus sign; NaN and infinities print "NAN", "INF" and
//   "-INF". %e shows "d.ddd" with precision - 1 decimals (15 digits unless told), "E", a sign
//   and at least three exponent digits; %n groups thousands with ThousandSeparator; %m places
//   CurrencyString by CurrencyFormat / NegCurrFormat with CurrencyDecimals unless told.
String Format(const String& format, std::initializer_list<TVarRec> args);
String Format(const String& format, const std::vector<TVarRec>& args);

// General float form with 15 significant digits: fixed notation while the integer part has at
// most 15 digits and the value is at least 0.00001 in magnitude, else scientific ("1E15",
// "1.5E-7"); trailing zeros dropped; FormatSettings.DecimalSeparator as the separator.
String FloatToStr(double value);
// Same with an explicit decimal separator, for the places that must not follow the locale.
String FloatToStr(double value, char decimalSeparator);

// ffGeneral: as FloatToStr with `precision` significant digits and at least `digits` exponent
// digits. ffExponent: `precision` significant digits, exponent always signed with at least
// `digits` digits. ffFixed, ffNumber (thousands grouped), ffCurrency (as %m): `digits` decimals
// after rounding to `precision` significant digits; a value with more integer digits than the
// precision falls back to the general form. Precision is held to 1..18, decimals to 0..18.
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);

String IntToStr(int64_t value);
// Upper-case hexadecimal digits, zero-padded to at least `digits`.
String UIntToHex(uint64_t value, int digits);
// A negative value shows the two's complement of its own width, as the platform's overloads do:
// IntToHex(-1, 4) of an int is "FFFFFFFF", of an int64_t "FFFFFFFFFFFFFFFF".
template <std::integral T>
requires(!std::same_as<T, bool>) String IntToHex(T value, int digits) {
  return UIntToHex(static_cast<std::make_unsigned_t<T>>(value), digits);
}

// Integer readers: optional leading blanks and sign, decimal digits, or hexadecimal after "$",
// "0x" or "0X", and nothing after them (a trailing blank is an error too). Values outside the
// 32-bit (or 64-bit) range are errors, never truncated; hexadecimal may use the whole unsigned
// range as a bit pattern ("$FFFFFFFF" is -1 for StrToInt), but with a minus sign it must fit
// the signed range. Errors: EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(const String& text);
int32_t StrToIntDef(const String& text, int32_t defaultValue);
bool TryStrToInt(const String& text, int32_t& value);
int64_t StrToInt64(const String& text);
int64_t StrToInt64Def(const String& text, int64_t defaultValue);
bool TryStrToInt64(const String& text, int64_t& value);

// Float readers: FormatSettings.DecimalSeparator (or the given one) and no other, optional
// exponent, blanks around allowed, no thousand separators. A value beyond the double's range is
// an error; one too small for it reads as zero.
// Errors: EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(const String& text);
double StrToFloatDef(const String& text, double defaultValue);
bool TryStrToFloat(const String& text, double& value);
bool TryStrToFloat(const String& text, double& value, char decimalSeparator);

// Trim removes every character up to and including the blank (codes 0..32) at both ends.
String Trim(const String& text);
String TrimLeft(const String& text);
String TrimRight(const String& text);

// ASCII-only case changes and comparisons, as the platform's non-"Ansi" routines.
String UpperCase(const String& text);
String LowerCase(const String& text);
bool SameText(const String& a, const String& b);
int CompareText(const String& a, const String& b);
int CompareStr(const String& a, const String& b);

// Rounds half to even; values outside the 64-bit range raise EConvertError.
int64_t Round(double value);
// Rounds half to even into 32 bits; a value that does not fit raises EConvertError.
int32_t RoundToInt32(double value);
int64_t Trunc(double value);

// Dates. Invalid parts raise EConvertError ("Invalid argument to date encode" / "... time
// encode"). Years 1 to 9999 of the proleptic Gregorian calendar. Decoding takes the day as the
// value truncated towards zero and the time of day as the absolute fraction, rounded to the
// millisecond, so -1.25 is 29 December 1899 06:00; a value outside the years decodes to zeros.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
int DayOfWeek(TDateTime value);  // 1 = Sunday
bool IsLeapYear(int year);
TDateTime Now();
TDateTime Date();
// The packed file date and time of the platform: date in the upper 16 bits (year - 1980, month,
// day), time in the lower 16 bits (hours, minutes, seconds / 2). An invalid packed date raises
// EConvertError; a date outside 1980..2107 has file date 0.
TDateTime FileDateToDateTime(int32_t fileDate);
int32_t DateTimeToFileDate(TDateTime value);

// FormatDateTime with the platform's specifiers: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy
// yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : and quoted literals; "m" right after an
// hour is minutes. An empty format is "c": ShortDateFormat, then " " and LongTimeFormat unless
// the time is exactly midnight. An hour is on the 12-hour clock when the next "a" of the format
// starts am/pm, a/p or ampm. Other characters are copied.
String FormatDateTime(const String& format, TDateTime value);
String DateToStr(TDateTime value);      // ShortDateFormat
String TimeToStr(TDateTime value);      // LongTimeFormat
String DateTimeToStr(TDateTime value);  // "c"
// Day, month and year as numbers separated by DateSeparator, in the order ShortDateFormat names
// them; without the year, the current year; a year of one or two digits is placed by
// TwoDigitYearCenturyWindow. Error: EConvertError "'<text>' is not a valid date".
TDateTime StrToDate(const String& text);
// A date, a date and a time, or a time alone: hours TimeSeparator minutes [TimeSeparator seconds
// [DecimalSeparator milliseconds]] [AM/PM, TimeAMString/TimePMString].
// Error: EConvertError "'<text>' is not a valid date and time".
TDateTime StrToDateTime(const String& text);
