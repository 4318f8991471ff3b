#include "platform/ora/OraFunctions.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/rtl/Text.h"

namespace {

// A function's failure, reported to SQLite as the statement's error message.
struct TOraFunctionError {
  String Message;
};

[[noreturn]] void Fail(const String& message) { throw TOraFunctionError{message}; }

const char* const kMonths[12] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                 "MAY",       "JUNE",     "JULY",     "AUGUST",
                                 "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
const char* const kDays[7] = {"SUNDAY",   "MONDAY", "TUESDAY", "WEDNESDAY",
                              "THURSDAY", "FRIDAY", "SATURDAY"};

struct TParts {
  int Year = 1, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};

TParts Split(TDateTime value) {
  TParts p;
  int ms = 0;
  DecodeDate(value, p.Year, p.Month, p.Day);
  DecodeTime(value, p.Hour, p.Minute, p.Second, ms);
  if (ms >= 500 && ++p.Second == 60) {
    p.Second = 0;
    if (++p.Minute == 60) {
      p.Minute = 0;
      if (++p.Hour == 24) {
        p.Hour = 0;
        DecodeDate(EncodeDate(p.Year, p.Month, p.Day) + 1, p.Year, p.Month, p.Day);
      }
    }
  }
  return p;
}

TDateTime Join(const TParts& p) {
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(p.Year, p.Month, p.Day, date) ||
      !TryEncodeTime(p.Hour, p.Minute, p.Second, 0, time))
    Fail("ORA-01839: date not valid for month specified");
  return date < 0 ? date - time : date + time;
}

int DaysInMonth(int year, int month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

String Pad(int value, int width) {
  String text = std::to_string(value < 0 ? -value : value);
  while (static_cast<int>(text.size()) < width) text.insert(text.begin(), '0');
  return value < 0 ? "-" + text : text;
}

// The letter case of a name element follows the model: "MON" JAN, "Mon" Jan, "mon" jan.
String CasedName(const String& name, std::string_view element) {
  const bool firstUpper = element[0] >= 'A' && element[0] <= 'Z';
  const bool secondUpper = element.size() > 1 && element[1] >= 'A' && element[1] <= 'Z';
  String result = name;
  for (size_t i = 0; i < result.size(); ++i) {
    const bool upper = i == 0 ? firstUpper : (firstUpper && secondUpper);
    if (!upper) result[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[i])));
  }
  return result;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
  if (text.size() - pos < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[pos + i])) != prefix[i]) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Values.

bool IsNull(sqlite3_value* v) {
  const int type = sqlite3_value_type(v);
  return type == SQLITE_NULL || (type == SQLITE_TEXT && sqlite3_value_bytes(v) == 0);
}

String Text(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return OracleNumberText(sqlite3_value_double(v));
    case SQLITE_NULL:
      return String();
    default:
      return String(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                    static_cast<size_t>(sqlite3_value_bytes(v)));
  }
}

bool TryNumber(std::string_view text, double& value) {
  String trimmed = Trim(String(text));
  return !trimmed.empty() && TryStrToFloat(trimmed, value, '.');
}

bool IsNumeric(sqlite3_value* v) {
  const int type = sqlite3_value_type(v);
  return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

double Number(sqlite3_value* v) {
  if (IsNumeric(v)) return sqlite3_value_double(v);
  double value = 0;
  if (!TryNumber(Text(v), value)) Fail("ORA-01722: invalid number");
  return value;
}

// A whole number argument (positions, lengths, counts), truncated and held within a range where
// every use stays exact; NaN counts as 0.
long long Whole(sqlite3_value* v) {
  const double value = std::trunc(Number(v));
  if (std::isnan(value)) return 0;
  return static_cast<long long>(std::clamp(value, -1e15, 1e15));
}

TDateTime Date(sqlite3_value* v) {
  if (IsNumeric(v)) {
    const double value = sqlite3_value_double(v);
    // Days from 1 January 0001 to 31 December 9999.
    if (!(value >= -693593 && value < 2958466))
      Fail("ORA-01841: (full) year must be between -4713 and +9999");
    return value;
  }
  TDateTime value = 0;
  if (!SqlTextToDateTime(Text(v), value))
    Fail("ORA-01858: a non-numeric character was found where a numeric was expected: '" + Text(v) +
         "'");
  return value;
}

bool LooksLikeDate(sqlite3_value* v) {
  TDateTime ignored;
  return sqlite3_value_type(v) == SQLITE_TEXT && SqlTextToDateTime(Text(v), ignored);
}

void ResultText(sqlite3_context* ctx, const String& text) {
  if (text.empty())
    sqlite3_result_null(ctx);
  else
    sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void ResultNumber(sqlite3_context* ctx, double value) {
  if (std::nearbyint(value) == value && std::fabs(value) < 9.2e18)
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(value));
  else
    sqlite3_result_double(ctx, value);
}

void ResultDate(sqlite3_context* ctx, TDateTime value) {
  ResultText(ctx, DateTimeToSqlText(value));
}

std::u32string Chars(const String& text) {
  std::u32string chars;
  for (size_t pos = 0; pos < text.size();) chars.push_back(NextUtf8Char(text, pos));
  return chars;
}

String Utf8(const std::u32string& chars) {
  String text;
  for (char32_t ch : chars) AppendUtf8Char(text, ch);
  return text;
}

// ---------------------------------------------------------------------------------------------
// Date format models.

TParts ParseDateWithModel(const String& text, const String& model) {
  TParts p;
  bool pm = false, hour12 = false;
  size_t at = 0;
  auto skipSeparators = [&] {
    while (at < text.size() && !std::isalnum(static_cast<unsigned char>(text[at]))) ++at;
  };
  auto readNumber = [&](int maxDigits) {
    skipSeparators();
    int value = 0, digits = 0;
    while (at < text.size() && digits < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text[at]))) {
      value = value * 10 + (text[at++] - '0');
      ++digits;
    }
    if (digits == 0)
      Fail("ORA-01858: a non-numeric character was found where a numeric was expected");
    return std::pair<int, int>(value, digits);
  };
  auto readMonthName = [&](bool full) {
    skipSeparators();
    for (int m = 0; m < 12; ++m) {
      const std::string_view name =
          full ? std::string_view(kMonths[m]) : std::string_view(kMonths[m], 3);
      if (StartsWithNoCase(text, at, name)) {
        at += name.size();
        return m + 1;
      }
    }
    Fail("ORA-01843: not a valid month");
  };
  for (size_t i = 0; i < model.size();) {
    auto is = [&](std::string_view element) { return StartsWithNoCase(model, i, element); };
    if (is("FM") || is("FX")) {
      i += 2;
    } else if (is("YYYY") || is("RRRR") || is("SYYYY")) {
      p.Year = readNumber(4).first;
      i += is("SYYYY") ? 5 : 4;
    } else if (is("YY") || is("RR")) {
      const bool rr = is("RR");
      auto [year, digits] = readNumber(2);
      p.Year = digits <= 2 ? (rr && year >= 50 ? 1900 + year : 2000 + year) : year;
      i += 2;
    } else if (is("MONTH")) {
      p.Month = readMonthName(true);
      i += 5;
    } else if (is("MON")) {
      p.Month = readMonthName(false);
      i += 3;
    } else if (is("MM")) {
      p.Month = readNumber(2).first;
      i += 2;
    } else if (is("DD")) {
      p.Day = readNumber(2).first;
      i += 2;
    } else if (is("HH24")) {
      p.Hour = readNumber(2).first;
      i += 4;
    } else if (is("HH12") || is("HH")) {
      p.Hour = readNumber(2).first;
      hour12 = true;
      i += is("HH12") ? 4 : 2;
    } else if (is("MI")) {
      p.Minute = readNumber(2).first;
      i += 2;
    } else if (is("SS")) {
      p.Second = readNumber(2).first;
      i += 2;
    } else if (is("AM") || is("PM")) {
      skipSeparators();
      pm = StartsWithNoCase(text, at, "PM");
      if (!pm && !StartsWithNoCase(text, at, "AM")) Fail("ORA-01855: AM/A.M. or PM/P.M. required");
      at += 2;
      i += 2;
    } else if (std::isalnum(static_cast<unsigned char>(model[i]))) {
      Fail("ORA-01821: date format not recognized");
    } else {
      ++i;
    }
  }
  skipSeparators();
  if (at < text.size())
    Fail("ORA-01830: date format picture ends before converting entire input string");
  if (hour12) {
    if (p.Hour < 1 || p.Hour > 12) Fail("ORA-01849: hour must be between 1 and 12");
    p.Hour = p.Hour % 12 + (pm ? 12 : 0);
  }
  if (p.Month < 1 || p.Month > 12) Fail("ORA-01843: not a valid month");
  if (p.Day < 1 || p.Day > DaysInMonth(p.Year, p.Month))
    Fail("ORA-01847: day of month must be between 1 and last day of month");
  if (p.Hour > 23 || p.Minute > 59 || p.Second > 59)
    Fail("ORA-01850: hour must be between 0 and 23");
  return p;
}

TDateTime ParseDateDefault(const String& text) {
  TDateTime value = 0;
  if (SqlTextToDateTime(text, value)) return value;
  // The Russian installations' own form: DD.MM.YYYY, optionally with a time.
  return Join(ParseDateWithModel(
      text, text.find(':') != String::npos ? "DD.MM.YYYY HH24:MI:SS" : "DD.MM.YYYY"));
}

TDateTime TruncDate(TDateTime value, const String& model) {
  TParts p = Split(value);
  const String unit = UpperCase(Trim(model));
  TParts r{p.Year, p.Month, p.Day, 0, 0, 0};
  if (unit == "YEAR" || unit == "YYYY" || unit == "YYY" || unit == "YY" || unit == "Y" ||
      unit == "SYYYY" || unit == "SYEAR" || unit == "RRRR" || unit == "RR") {
    r.Month = r.Day = 1;
  } else if (unit == "Q") {
    r.Month = (p.Month - 1) / 3 * 3 + 1;
    r.Day = 1;
  } else if (unit == "MONTH" || unit == "MON" || unit == "MM" || unit == "RM") {
    r.Day = 1;
  } else if (unit == "IW" || unit == "D" || unit == "DY" || unit == "DAY") {
    // Weeks begin on Monday, as on the Russian installations.
    const TDateTime day = Join(r);
    return day - ((DayOfWeek(day) + 5) % 7);
  } else if (unit == "HH" || unit == "HH12" || unit == "HH24") {
    r.Hour = p.Hour;
  } else if (unit == "MI") {
    r.Hour = p.Hour;
    r.Minute = p.Minute;
  } else if (!(unit == "DD" || unit == "DDD" || unit == "J")) {
    Fail("ORA-01898: too many precision specifiers");
  }
  return Join(r);
}

TDateTime AddMonths(TDateTime value, int months) {
  TParts p = Split(value);
  const bool lastDay = p.Day == DaysInMonth(p.Year, p.Month);
  int index = p.Year * 12 + (p.Month - 1) + months;
  p.Year = index / 12;
  p.Month = index % 12 + 1;
  const int days = DaysInMonth(p.Year, p.Month);
  p.Day = lastDay || p.Day > days ? days : p.Day;
  return Join(p);
}

// ---------------------------------------------------------------------------------------------
// Registration.

using TFunctionBody = void (*)(sqlite3_context*, int, sqlite3_value**);

template <void (*Body)(sqlite3_context*, int, sqlite3_value**)>
void Guarded(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  try {
    Body(ctx, argc, argv);
  } catch (const TOraFunctionError& error) {
    sqlite3_result_error(ctx, error.Message.c_str(), -1);
  } catch (const Exception& error) {
    sqlite3_result_error(ctx, error.Message().c_str(), -1);
  } catch (const std::exception& error) {
    sqlite3_result_error(ctx, error.what(), -1);
  }
}

void FnNvl(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_value(ctx, IsNull(argv[0]) ? argv[1] : argv[0]);
}

void FnNvl2(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_value(ctx, IsNull(argv[0]) ? argv[2] : argv[1]);
}

bool DecodeMatches(sqlite3_value* a, sqlite3_value* b) {
  if (IsNull(a) || IsNull(b)) return IsNull(a) && IsNull(b);
  double x = 0, y = 0;
  if (IsNumeric(a) || IsNumeric(b)) {
    const bool numbers =
        (IsNumeric(a) || TryNumber(Text(a), x)) && (IsNumeric(b) || TryNumber(Text(b), y));
    if (numbers) return Number(a) == Number(b);
  }
  return Text(a) == Text(b);
}

void FnDecode(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (argc < 3) Fail("ORA-00938: not enough arguments for function");
  for (int i = 1; i + 1 < argc; i += 2)
    if (DecodeMatches(argv[0], argv[i])) return sqlite3_result_value(ctx, argv[i + 1]);
  if (argc % 2 == 0)
    sqlite3_result_value(ctx, argv[argc - 1]);
  else
    sqlite3_result_null(ctx);
}

void FnToChar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const String model = argc > 1 ? Text(argv[1]) : String();
  if (IsNumeric(argv[0]))
    return ResultText(ctx, model.empty()
                               ? Text(argv[0])
                               : FormatOracleNumber(sqlite3_value_double(argv[0]), model));
  if (LooksLikeDate(argv[0]))
    return ResultText(ctx, FormatOracleDate(Date(argv[0]), model.empty() ? "DD.MM.YYYY" : model));
  if (model.empty()) return ResultText(ctx, Text(argv[0]));
  ResultText(ctx, FormatOracleNumber(Number(argv[0]), model));
}

void FnToDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const String text = Trim(Text(argv[0]));
  if (argc > 1 && !IsNull(argv[1]))
    ResultDate(ctx, Join(ParseDateWithModel(text, Text(argv[1]))));
  else
    ResultDate(ctx, ParseDateDefault(text));
}

void FnToNumber(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (IsNumeric(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  String text = Text(argv[0]);
  if (argc > 1 && Text(argv[1]).find_first_of(",G") != String::npos) std::erase(text, ',');
  ResultNumber(ctx, [&] {
    double value = 0;
    if (!TryNumber(text, value)) Fail("ORA-01722: invalid number");
    return value;
  }());
}

void FnTrunc(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const bool isDate = !IsNumeric(argv[0]) && LooksLikeDate(argv[0]);
  if (isDate) return ResultDate(ctx, TruncDate(Date(argv[0]), argc > 1 ? Text(argv[1]) : "DD"));
  const double value = Number(argv[0]);
  const long long digits = argc > 1 && !IsNull(argv[1]) ? Whole(argv[1]) : 0;
  if (digits < -300 || digits > 300) Fail("ORA-01426: numeric overflow");
  const double scale = std::pow(10.0, static_cast<double>(digits));
  ResultNumber(ctx, std::trunc(value * scale) / scale);
}

void FnAddMonths(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  const long long months = Whole(argv[1]);
  if (months > 120000 || months < -120000)
    Fail("ORA-01841: (full) year must be between -4713 and +9999");
  ResultDate(ctx, AddMonths(Date(argv[0]), static_cast<int>(months)));
}

void FnLastDay(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  TParts p = Split(Date(argv[0]));
  p.Day = DaysInMonth(p.Year, p.Month);
  ResultDate(ctx, Join(p));
}

void FnSysdate(sqlite3_context* ctx, int, sqlite3_value**) { ResultDate(ctx, Now()); }

void FnSubstr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1]) || (argc > 2 && IsNull(argv[2])))
    return sqlite3_result_null(ctx);
  const std::u32string chars = Chars(Text(argv[0]));
  const long long size = static_cast<long long>(chars.size());
  long long start = Whole(argv[1]);
  if (start == 0) start = 1;
  if (start < 0) start += size + 1;
  if (start < 1 || start > size) return sqlite3_result_null(ctx);
  long long length = argc > 2 ? Whole(argv[2]) : size;
  if (length < 1) return sqlite3_result_null(ctx);
  length = std::min(length, size - start + 1);
  ResultText(ctx, Utf8(chars.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length))));
}

void FnInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (IsNull(argv[i])) return sqlite3_result_null(ctx);
  const std::u32string text = Chars(Text(argv[0]));
  const std::u32string part = Chars(Text(argv[1]));
  const long long size = static_cast<long long>(text.size());
  const long long start = argc > 2 ? Whole(argv[2]) : 1;
  const long long occurrence = argc > 3 ? Whole(argv[3]) : 1;
  if (start == 0 || occurrence < 1) {
    if (occurrence < 1)
      Fail("ORA-01428: argument '" + std::to_string(occurrence) + "' is out of range");
    return sqlite3_result_int(ctx, 0);
  }
  long long found = 0;
  const long long last = size - static_cast<long long>(part.size());
  if (start > 0) {
    for (long long i = start - 1; i <= last; ++i)
      if (text.compare(static_cast<size_t>(i), part.size(), part) == 0 && ++found == occurrence)
        return sqlite3_result_int64(ctx, i + 1);
  } else {
    for (long long i = std::min(size + start, last); i >= 0; --i)
      if (text.compare(static_cast<size_t>(i), part.size(), part) == 0 && ++found == occurrence)
        return sqlite3_result_int64(ctx, i + 1);
  }
  sqlite3_result_int(ctx, 0);
}

void Padded(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool left) {
  if (IsNull(argv[0]) || IsNull(argv[1]) || (argc > 2 && IsNull(argv[2])))
    return sqlite3_result_null(ctx);
  const long long width = Whole(argv[1]);
  if (width < 1) return sqlite3_result_null(ctx);
  if (width > 32767) Fail("ORA-01489: result of string concatenation is too long");
  const size_t size = static_cast<size_t>(width);
  std::u32string text = Chars(Text(argv[0]));
  const std::u32string pad = argc > 2 ? Chars(Text(argv[2])) : std::u32string(U" ");
  if (text.size() >= size) return ResultText(ctx, Utf8(text.substr(0, size)));
  std::u32string fill;
  while (fill.size() < size - text.size()) fill.push_back(pad[fill.size() % pad.size()]);
  ResultText(ctx, Utf8(left ? fill + text : text + fill));
}

void FnLpad(sqlite3_context* ctx, int argc, sqlite3_value** argv) { Padded(ctx, argc, argv, true); }
void FnRpad(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Padded(ctx, argc, argv, false);
}

void FnUpper(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, AnsiUpperCase(Text(argv[0])));
}

void FnLower(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, AnsiLowerCase(Text(argv[0])));
}

void FnConcat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  String text;
  for (int i = 0; i < argc; ++i)
    if (!IsNull(argv[i])) text += Text(argv[i]);
  ResultText(ctx, text);
}

void FnRaiseApplicationError(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const long long code = Whole(argv[0]);
  Fail("ORA" + (code < 0 ? std::to_string(code) : "-" + std::to_string(code)) + ": " +
       Text(argv[1]));
}

struct TRegistration {
  const char* Name;
  int Args;
  TFunctionBody Body;
  bool Deterministic;
};

}  // namespace

String DateTimeToSqlText(TDateTime value) {
  const TParts p = Split(value);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.Year, p.Month, p.Day, p.Hour,
                p.Minute, p.Second);
  return text;
}

bool SqlTextToDateTime(std::string_view text, TDateTime& value) {
  auto digits = [&](size_t pos, size_t count, int& out) {
    if (pos + count > text.size()) return false;
    out = 0;
    for (size_t i = pos; i < pos + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      out = out * 10 + (text[i] - '0');
    }
    return true;
  };
  TParts p;
  if (!digits(0, 4, p.Year) || text.size() < 10 || text[4] != '-' || !digits(5, 2, p.Month) ||
      text[7] != '-' || !digits(8, 2, p.Day))
    return false;
  int ms = 0;
  if (text.size() > 10) {
    if ((text[10] != ' ' && text[10] != 'T') || !digits(11, 2, p.Hour) || text.size() < 16 ||
        text[13] != ':' || !digits(14, 2, p.Minute))
      return false;
    size_t end = 16;
    if (text.size() > 16) {
      if (text[16] != ':' || !digits(17, 2, p.Second)) return false;
      end = 19;
      if (text.size() > 19) {
        if (text[19] != '.' || text.size() == 20) return false;
        for (size_t i = 20; i < text.size(); ++i) {
          if (text[i] < '0' || text[i] > '9') return false;
          if (i < 23) ms = ms * 10 + (text[i] - '0');
        }
        for (size_t i = text.size(); i < 23; ++i) ms *= 10;
        end = text.size();
      }
    }
    if (end != text.size()) return false;
  }
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(p.Year, p.Month, p.Day, date) ||
      !TryEncodeTime(p.Hour, p.Minute, p.Second, ms, time))
    return false;
  value = date < 0 ? date - time : date + time;
  return true;
}

String OracleNumberText(double value) {
  if (std::isnan(value)) return "Nan";
  if (std::isinf(value)) return value < 0 ? "-~" : "~";
  if (std::nearbyint(value) == value && std::fabs(value) < 1e15)
    return std::to_string(static_cast<long long>(value));
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  String text = buffer;
  const size_t exponent = text.find('E');
  String mantissa = text.substr(0, exponent);
  if (mantissa.find('.') != String::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  if (exponent != String::npos) {
    const int power = std::atoi(text.c_str() + exponent + 1);
    return mantissa + (power < 0 ? "E-" : "E+") + Pad(power < 0 ? -power : power, 2);
  }
  if (mantissa.rfind("0.", 0) == 0) mantissa.erase(0, 1);
  if (mantissa.rfind("-0.", 0) == 0) mantissa.erase(1, 1);
  return mantissa;
}

String FormatOracleDate(TDateTime value, const String& model) {
  const TParts p = Split(value);
  String out;
  bool fill = true;
  for (size_t i = 0; i < model.size();) {
    auto is = [&](std::string_view element) { return StartsWithNoCase(model, i, element); };
    auto number = [&](int n, int width) { out += fill ? Pad(n, width) : std::to_string(n); };
    auto name = [&](const String& full, size_t length, bool pad) {
      String text = CasedName(full, std::string_view(model).substr(i, length));
      if (pad && fill) text.resize(9, ' ');
      out += text;
      i += length;
    };
    if (model[i] == '"') {
      const size_t end = model.find('"', i + 1);
      out += model.substr(i + 1, (end == String::npos ? model.size() : end) - i - 1);
      i = end == String::npos ? model.size() : end + 1;
    } else if (is("FM")) {
      fill = !fill;
      i += 2;
    } else if (is("YYYY") || is("RRRR")) {
      number(p.Year, 4), i += 4;
    } else if (is("YYY")) {
      number(p.Year % 1000, 3), i += 3;
    } else if (is("YY") || is("RR")) {
      number(p.Year % 100, 2), i += 2;
    } else if (is("MONTH")) {
      name(kMonths[p.Month - 1], 5, true);
    } else if (is("MON")) {
      name(String(kMonths[p.Month - 1]).substr(0, 3), 3, false);
    } else if (is("MM")) {
      number(p.Month, 2), i += 2;
    } else if (is("DDD")) {
      number(static_cast<int>(EncodeDate(p.Year, p.Month, p.Day) - EncodeDate(p.Year, 1, 1)) + 1,
             3),
          i += 3;
    } else if (is("DAY")) {
      name(kDays[DayOfWeek(value) - 1], 3, true);
    } else if (is("DD")) {
      number(p.Day, 2), i += 2;
    } else if (is("DY")) {
      name(String(kDays[DayOfWeek(value) - 1]).substr(0, 3), 2, false);
    } else if (is("D")) {
      number((DayOfWeek(value) + 5) % 7 + 1, 1), i += 1;
    } else if (is("HH24")) {
      number(p.Hour, 2), i += 4;
    } else if (is("HH12") || is("HH")) {
      number(p.Hour % 12 == 0 ? 12 : p.Hour % 12, 2), i += is("HH12") ? 4 : 2;
    } else if (is("MI")) {
      number(p.Minute, 2), i += 2;
    } else if (is("SS")) {
      number(p.Second, 2), i += 2;
    } else if (is("AM") || is("PM")) {
      name(p.Hour < 12 ? "AM" : "PM", 2, false);
    } else if (is("Q")) {
      number((p.Month - 1) / 3 + 1, 1), i += 1;
    } else if (is("Y")) {
      number(p.Year % 10, 1), i += 1;
    } else {
      out += model[i++];
    }
  }
  return out;
}

String FormatOracleNumber(double value, const String& model) {
  String format = UpperCase(model);
  const bool fill = format.rfind("FM", 0) != 0;
  if (!fill) format.erase(0, 2);
  const size_t point = format.find_first_of(".D");
  const String integerPart = format.substr(0, point);
  const String decimalPart = point == String::npos ? String() : format.substr(point + 1);
  for (char ch : format)
    if (!std::strchr("90.,DG", ch)) Fail("ORA-01481: invalid number format model");
  int decimals = 0;
  for (char ch : decimalPart) decimals += ch == '9' || ch == '0';
  // Oracle's models hold at most 63 characters.
  if (format.size() > 63 || !std::isfinite(value)) Fail("ORA-01481: invalid number format model");
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
  const String digits = buffer;
  const size_t dot = digits.find('.');
  String intDigits = digits.substr(0, dot);
  const String fraction = dot == String::npos ? String() : digits.substr(dot + 1);
  int positions = 0;
  for (char ch : integerPart) positions += ch == '9' || ch == '0';
  const size_t firstZero = integerPart.find('0');
  // Oracle shows no integer zero in front of decimals unless the model asks for it with "0".
  if (intDigits == "0" && firstZero == String::npos && point != String::npos) intDigits.clear();
  if (static_cast<int>(intDigits.size()) > positions) return String(format.size() + 1, '#');
  const bool negative = value < 0 && (std::stod(digits) != 0);
  // Integer digits from the right; a "0" of the model shows zeros from its place on.
  String integer;
  int digit = static_cast<int>(intDigits.size()) - 1;
  for (int i = static_cast<int>(integerPart.size()) - 1; i >= 0; --i) {
    const char ch = integerPart[static_cast<size_t>(i)];
    if (ch == ',' || ch == 'G') {
      integer.insert(integer.begin(), digit >= 0 ? ',' : ' ');
      continue;
    }
    const bool zeroFilled = firstZero != String::npos && static_cast<size_t>(i) >= firstZero;
    integer.insert(integer.begin(), digit >= 0   ? intDigits[static_cast<size_t>(digit)]
                                    : zeroFilled ? '0'
                                                 : ' ');
    --digit;
  }
  String decimalsText;
  for (size_t i = 0, f = 0; i < decimalPart.size(); ++i)
    if (decimalPart[i] == '9' || decimalPart[i] == '0') decimalsText += fraction[f++];
  if (!fill) {
    size_t keep = decimalsText.size();
    while (keep > 0 && decimalsText[keep - 1] == '0' && decimalPart[keep - 1] == '9') --keep;
    decimalsText.resize(keep);
  }
  String text = integer + (point == String::npos ? String() : "." + decimalsText);
  // The sign takes the blank nearest to the first digit.
  const size_t firstShown = text.find_first_not_of(' ');
  const String sign = negative ? "-" : (fill ? " " : "");
  text = firstShown == String::npos ? sign + text
                                    : text.substr(0, firstShown) + sign + text.substr(firstShown);
  if (!fill) text = Trim(text);
  return text;
}

void RegisterOracleFunctions(sqlite3* db) {
  static const TRegistration functions[] = {
      {"NVL", 2, Guarded<FnNvl>, true},
      {"NVL2", 3, Guarded<FnNvl2>, true},
      {"DECODE", -1, Guarded<FnDecode>, true},
      {"TO_CHAR", 1, Guarded<FnToChar>, true},
      {"TO_CHAR", 2, Guarded<FnToChar>, true},
      {"TO_DATE", 1, Guarded<FnToDate>, true},
      {"TO_DATE", 2, Guarded<FnToDate>, true},
      {"TO_NUMBER", 1, Guarded<FnToNumber>, true},
      {"TO_NUMBER", 2, Guarded<FnToNumber>, true},
      {"TRUNC", 1, Guarded<FnTrunc>, true},
      {"TRUNC", 2, Guarded<FnTrunc>, true},
      {"ADD_MONTHS", 2, Guarded<FnAddMonths>, true},
      {"LAST_DAY", 1, Guarded<FnLastDay>, true},
      {"ORA_SYSDATE", 0, Guarded<FnSysdate>, false},
      {"SUBSTR", 2, Guarded<FnSubstr>, true},
      {"SUBSTR", 3, Guarded<FnSubstr>, true},
      {"INSTR", 2, Guarded<FnInstr>, true},
      {"INSTR", 3, Guarded<FnInstr>, true},
      {"INSTR", 4, Guarded<FnInstr>, true},
      {"LPAD", 2, Guarded<FnLpad>, true},
      {"LPAD", 3, Guarded<FnLpad>, true},
      {"RPAD", 2, Guarded<FnRpad>, true},
      {"RPAD", 3, Guarded<FnRpad>, true},
      {"UPPER", 1, Guarded<FnUpper>, true},
      {"LOWER", 1, Guarded<FnLower>, true},
      {"CONCAT", 2, Guarded<FnConcat>, true},
      {"ORA_CONCAT", -1, Guarded<FnConcat>, true},
      {"RAISE_APPLICATION_ERROR", 2, Guarded<FnRaiseApplicationError>, false},
  };
  for (const TRegistration& f : functions) {
    const int flags = SQLITE_UTF8 | (f.Deterministic ? SQLITE_DETERMINISTIC : 0);
    if (sqlite3_create_function(db, f.Name, f.Args, flags, nullptr, f.Body, nullptr, nullptr) !=
        SQLITE_OK)
      throw EDatabaseError(String("Cannot register the SQL function ") + f.Name + ": " +
                           sqlite3_errmsg(db));
  }
}
