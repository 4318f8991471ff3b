#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>
#include <optional>

TFormatSettings FormatSettings;

namespace {

// ---------------------------------------------------------------------------------------------
// Small text helpers

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
char AsciiUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch; }
char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch; }
bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= 32; }

bool StartsWithText(const String& text, size_t pos, const char* prefix) {
  for (; *prefix; ++prefix, ++pos) {
    if (pos >= text.size() || AsciiUpper(text[pos]) != AsciiUpper(*prefix)) return false;
  }
  return true;
}

// Widths and precisions count characters, as they did when one byte was one character: a UTF-8
// continuation byte does not start a character.
bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

size_t CharacterCount(const String& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

String FirstCharacters(const String& text, size_t count) {
  size_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i]) && seen++ == count) return text.substr(0, i);
  }
  return text;
}

String ZeroPadded(String digits, int minDigits) {
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  return digits;
}

String UnsignedToText(uint64_t value, int base) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, base);
  String text(buffer, result.ptr);
  std::transform(text.begin(), text.end(), text.begin(), AsciiUpper);
  return text;
}

// ---------------------------------------------------------------------------------------------
// Floating point to text. The platform first takes the value to 18 significant decimal digits
// and then rounds those digits half away from zero to what the format asks for; doing the same
// keeps results such as 0.125 -> "0.13" and FloatToStr(0.1 + 0.2) -> "0.3".

constexpr int MaxSignificantDigits = 18;
constexpr int MaxDecimals = 18;

// value = 0.Digits x 10^Exponent; Digits carries no leading or trailing zeros and is empty for
// zero.
struct TDecimal {
  bool Negative = false;
  String Digits;
  int Exponent = 0;

  bool IsZero() const { return Digits.empty(); }
  // A sign is shown only for a value that is still not zero after rounding.
  bool ShowsMinus() const { return Negative && !IsZero(); }
  char DigitAt(int index) const {
    return index >= 0 && index < static_cast<int>(Digits.size()) ? Digits[index] : '0';
  }
};

void Normalize(TDecimal& d) {
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  if (d.Digits.empty()) d.Exponent = 0;
}

TDecimal ToDecimal(double value) {
  TDecimal d;
  d.Negative = std::signbit(value);
  if (value == 0) return d;
  char buffer[48];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific, MaxSignificantDigits - 1);
  const char* exponent = std::find(buffer, result.ptr, 'e');
  d.Digits.push_back(buffer[0]);
  d.Digits.append(buffer + 2, static_cast<size_t>(exponent - (buffer + 2)));
  int power = 0;
  std::from_chars(exponent + (exponent[1] == '+' ? 2 : 1), result.ptr, power);
  d.Exponent = power + 1;
  Normalize(d);
  return d;
}

// Keeps the first `count` digits, rounding half away from zero.
void KeepDigits(TDecimal& d, int count) {
  if (count >= static_cast<int>(d.Digits.size())) return;
  if (count < 0) {
    d.Digits.clear();
    Normalize(d);
    return;
  }
  const bool roundUp = d.Digits[count] >= '5';
  d.Digits.resize(count);
  if (roundUp) {
    int i = count - 1;
    while (i >= 0 && d.Digits[i] == '9') d.Digits[i--] = '0';
    if (i >= 0) {
      ++d.Digits[i];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  Normalize(d);
}

void KeepDecimals(TDecimal& d, int decimals) { KeepDigits(d, d.Exponent + decimals); }

std::optional<String> SpecialValueText(double value) {
  if (std::isnan(value)) return String("NAN");
  if (std::isinf(value)) return String(value < 0 ? "-INF" : "INF");
  return std::nullopt;
}

String GroupedThousands(const String& integerDigits, char separator) {
  if (separator == '\0') return integerDigits;
  String grouped;
  for (size_t i = 0; i < integerDigits.size(); ++i) {
    if (i > 0 && (integerDigits.size() - i) % 3 == 0) grouped.push_back(separator);
    grouped.push_back(integerDigits[i]);
  }
  return grouped;
}

// The unsigned fixed-point digits of d with exactly `decimals` places.
String FixedDigits(const TDecimal& d, int decimals, char decimalSeparator, char thousandSeparator) {
  String integerPart;
  for (int i = 0; i < d.Exponent; ++i) integerPart.push_back(d.DigitAt(i));
  if (integerPart.empty()) integerPart = "0";
  String text = GroupedThousands(integerPart, thousandSeparator);
  if (decimals > 0) {
    text.push_back(decimalSeparator);
    for (int i = 0; i < decimals; ++i) text.push_back(d.DigitAt(d.Exponent + i));
  }
  return text;
}

String ExponentText(int power, bool alwaysSigned, int minDigits) {
  String text = "E";
  if (power < 0) {
    text.push_back('-');
  } else if (alwaysSigned) {
    text.push_back('+');
  }
  return text + ZeroPadded(std::to_string(std::abs(power)), minDigits);
}

String SignedText(const TDecimal& d, const String& unsignedText) {
  return d.ShowsMinus() ? "-" + unsignedText : unsignedText;
}

int ClampPrecision(int precision) { return std::clamp(precision, 1, MaxSignificantDigits); }

String GeneralText(double value, int precision, int exponentDigits, char decimalSeparator) {
  if (auto special = SpecialValueText(value)) return *special;
  TDecimal d = ToDecimal(value);
  KeepDigits(d, ClampPrecision(precision));
  if (d.IsZero()) return "0";
  const int digitCount = static_cast<int>(d.Digits.size());
  if (d.Exponent > ClampPrecision(precision) || d.Exponent < -4) {
    String mantissa(1, d.Digits[0]);
    if (digitCount > 1) mantissa += decimalSeparator + d.Digits.substr(1);
    return SignedText(d, mantissa + ExponentText(d.Exponent - 1, false, exponentDigits));
  }
  return SignedText(d,
                    FixedDigits(d, std::max(0, digitCount - d.Exponent), decimalSeparator, '\0'));
}

String ExponentFormText(double value, int precision, int exponentDigits, char decimalSeparator) {
  if (auto special = SpecialValueText(value)) return *special;
  precision = ClampPrecision(precision);
  TDecimal d = ToDecimal(value);
  KeepDigits(d, precision);
  String mantissa(1, d.DigitAt(0));
  if (precision > 1) {
    mantissa.push_back(decimalSeparator);
    for (int i = 1; i < precision; ++i) mantissa.push_back(d.DigitAt(i));
  }
  const int power = d.IsZero() ? 0 : d.Exponent - 1;
  return SignedText(d, mantissa + ExponentText(power, true, exponentDigits));
}

// Fixed, number and currency forms share the rounding: to `precision` significant digits, then
// to `decimals` places. A value whose integer part needs more digits than the precision allows
// is shown in the general form, as the platform does.
std::optional<TDecimal> RoundedForFixed(double value, int precision, int decimals) {
  TDecimal d = ToDecimal(value);
  KeepDigits(d, precision);
  if (d.Exponent > precision) return std::nullopt;
  KeepDecimals(d, decimals);
  return d;
}

String CurrencyText(const TDecimal& d, const String& amount, const TFormatSettings& settings) {
  static const char* const PositivePatterns[] = {"$1", "1$", "$ 1", "1 $"};
  static const char* const NegativePatterns[] = {"($1)", "-$1",  "$-1",   "$1-",  "(1$)", "-1$",
                                                 "1-$",  "1$-",  "-1 $",  "-$ 1", "1 $-", "$ 1-",
                                                 "$ -1", "1- $", "($ 1)", "(1 $)"};
  const char* pattern = d.ShowsMinus()
                            ? NegativePatterns[std::clamp(settings.NegCurrFormat, 0, 15)]
                            : PositivePatterns[std::clamp(settings.CurrencyFormat, 0, 3)];
  String text;
  for (; *pattern; ++pattern) {
    if (*pattern == '$') {
      text += settings.CurrencyString;
    } else if (*pattern == '1') {
      text += amount;
    } else {
      text.push_back(*pattern);
    }
  }
  return text;
}

String FloatText(double value, TFloatFormat format, int precision, int digits,
                 const TFormatSettings& settings) {
  const char decimalSeparator = settings.DecimalSeparator;
  switch (format) {
    case TFloatFormat::ffGeneral:
      return GeneralText(value, precision, std::clamp(digits, 0, 4), decimalSeparator);
    case TFloatFormat::ffExponent:
      return ExponentFormText(value, precision, std::clamp(digits, 0, 4), decimalSeparator);
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency:
      break;
  }
  if (auto special = SpecialValueText(value)) return *special;
  precision = ClampPrecision(precision);
  const int decimals = std::clamp(digits, 0, MaxDecimals);
  auto d = RoundedForFixed(value, precision, decimals);
  if (!d) return GeneralText(value, precision, 0, decimalSeparator);
  if (format == TFloatFormat::ffFixed) {
    return SignedText(*d, FixedDigits(*d, decimals, decimalSeparator, '\0'));
  }
  String amount = FixedDigits(*d, decimals, decimalSeparator, settings.ThousandSeparator);
  if (format == TFloatFormat::ffNumber) return SignedText(*d, amount);
  return CurrencyText(*d, amount, settings);
}

// ---------------------------------------------------------------------------------------------
// Format

class TFormatter {
 public:
  TFormatter(const String& format, const TVarRec* args, size_t count)
      : FFormat(format), FArgs(args), FCount(count) {}

  String Run() {
    while (FPos < FFormat.size()) {
      const size_t percent = FFormat.find('%', FPos);
      FResult.append(FFormat, FPos, percent == String::npos ? String::npos : percent - FPos);
      if (percent == String::npos) break;
      FPos = percent + 1;
      if (FPos < FFormat.size() && FFormat[FPos] == '%') {
        FResult.push_back('%');
        ++FPos;
      } else {
        FormatOne();
      }
    }
    return FResult;
  }

 private:
  struct TSpec {
    bool LeftJustify = false;
    int Width = 0;
    std::optional<int> Precision;
    char Type = '\0';
  };

  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + FFormat + "' invalid or incompatible with argument");
  }

  const TVarRec& NextArg() {
    if (FArgIndex >= FCount) throw EConvertError("No argument for format '" + FFormat + "'");
    return FArgs[FArgIndex++];
  }

  static bool IsIntegerKind(TVarRec::Kind kind) {
    return kind == TVarRec::Kind::Integer || kind == TVarRec::Kind::Int64;
  }

  // A run of digits, or "*" taking the value from the next (integer) argument.
  // Widths and precisions beyond this many characters are refused as an invalid format rather
  // than padded out: a stray run of digits must not ask for gigabytes.
  static constexpr int64_t kMaxWidth = 65536;

  std::optional<int> ReadNumber() {
    if (FPos < FFormat.size() && FFormat[FPos] == '*') {
      ++FPos;
      const TVarRec& arg = NextArg();
      if (!IsIntegerKind(arg.GetKind()) || arg.AsInt() > kMaxWidth) Invalid();
      return static_cast<int>(std::max<int64_t>(arg.AsInt(), std::numeric_limits<int>::min()));
    }
    if (FPos >= FFormat.size() || !IsDigit(FFormat[FPos])) return std::nullopt;
    int64_t value = 0;
    while (FPos < FFormat.size() && IsDigit(FFormat[FPos])) {
      value = value * 10 + (FFormat[FPos++] - '0');
      if (value > kMaxWidth) Invalid();
    }
    return static_cast<int>(value);
  }

  bool Take(char ch) {
    if (FPos < FFormat.size() && FFormat[FPos] == ch) {
      ++FPos;
      return true;
    }
    return false;
  }

  // "%" [index ":"] ["-"] [width] ["." prec] type; an index moves the argument position for
  // this and every following specifier.
  TSpec ReadSpec() {
    TSpec directive;
    std::optional<int> number = ReadNumber();
    if (number && Take(':')) {
      if (*number < 0) Invalid();
      FArgIndex = static_cast<size_t>(*number);
      number.reset();
    }
    if (!number) {
      directive.LeftJustify = Take('-');
      number = ReadNumber();
    }
    directive.Width = number.value_or(0);
    if (Take('.')) directive.Precision = ReadNumber().value_or(0);
    if (FPos >= FFormat.size()) Invalid();
    directive.Type = AsciiLower(FFormat[FPos++]);
    return directive;
  }

  String IntegerText(const TSpec& directive, const TVarRec& arg) {
    if (!IsIntegerKind(arg.GetKind())) Invalid();
    const bool is32 = arg.GetKind() == TVarRec::Kind::Integer;
    const int minDigits = directive.Precision.value_or(0);
    const int64_t value = arg.AsInt();
    switch (directive.Type) {
      case 'd': {
        const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
        const String digits = ZeroPadded(UnsignedToText(magnitude, 10), minDigits);
        return value < 0 ? "-" + digits : digits;
      }
      case 'u':
        return ZeroPadded(UnsignedToText(is32 ? static_cast<uint32_t>(value) : value, 10),
                          minDigits);
      default:  // 'x'
        return ZeroPadded(UnsignedToText(is32 ? static_cast<uint32_t>(value) : value, 16),
                          minDigits);
    }
  }

  String FloatArgText(const TSpec& directive, const TVarRec& arg) {
    if (arg.GetKind() != TVarRec::Kind::Extended) Invalid();
    const double value = arg.AsFloat();
    // A negative precision taken from "*" means no precision, as does none at all.
    const std::optional<int> precision =
        directive.Precision && *directive.Precision >= 0 ? directive.Precision : std::nullopt;
    switch (directive.Type) {
      case 'e':
        return FloatText(value, TFloatFormat::ffExponent, precision.value_or(15), 3,
                         FormatSettings);
      case 'f':
        return FloatText(value, TFloatFormat::ffFixed, MaxSignificantDigits, precision.value_or(2),
                         FormatSettings);
      case 'g':
        return FloatText(value, TFloatFormat::ffGeneral, precision.value_or(15), 0, FormatSettings);
      case 'n':
        return FloatText(value, TFloatFormat::ffNumber, MaxSignificantDigits, precision.value_or(2),
                         FormatSettings);
      default:  // 'm'
        return FloatText(value, TFloatFormat::ffCurrency, MaxSignificantDigits,
                         precision.value_or(FormatSettings.CurrencyDecimals), FormatSettings);
    }
  }

  String ArgText(const TSpec& directive) {
    const TVarRec& arg = NextArg();
    switch (directive.Type) {
      case 'd':
      case 'u':
      case 'x':
        return IntegerText(directive, arg);
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm':
        return FloatArgText(directive, arg);
      case 's':
        if (arg.GetKind() != TVarRec::Kind::String) Invalid();
        return directive.Precision && *directive.Precision >= 0
                   ? FirstCharacters(arg.AsString(), static_cast<size_t>(*directive.Precision))
                   : arg.AsString();
      case 'p':
        if (arg.GetKind() != TVarRec::Kind::Pointer) Invalid();
        return ZeroPadded(UnsignedToText(static_cast<uint64_t>(arg.AsInt()), 16),
                          static_cast<int>(2 * sizeof(void*)));
      default:
        Invalid();
    }
  }

  void FormatOne() {
    const TSpec directive = ReadSpec();
    const String text = ArgText(directive);
    const size_t length = CharacterCount(text);
    const size_t padding = directive.Width > 0 && static_cast<size_t>(directive.Width) > length
                               ? static_cast<size_t>(directive.Width) - length
                               : 0;
    if (!directive.LeftJustify) FResult.append(padding, ' ');
    FResult += text;
    if (directive.LeftJustify) FResult.append(padding, ' ');
  }

  const String& FFormat;
  const TVarRec* FArgs;
  size_t FCount;
  size_t FPos = 0;
  size_t FArgIndex = 0;
  String FResult;
};

// ---------------------------------------------------------------------------------------------
// Text to numbers

int DigitValue(char ch, int base) {
  int value = -1;
  if (IsDigit(ch)) {
    value = ch - '0';
  } else if (ch >= 'a' && ch <= 'f') {
    value = ch - 'a' + 10;
  } else if (ch >= 'A' && ch <= 'F') {
    value = ch - 'A' + 10;
  }
  return value < base ? value : -1;
}

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "0x" or
// "0X", and nothing else. Decimal values must lie in the signed range of `bits`; hexadecimal
// ones may use the whole unsigned range as a bit pattern ("$FFFFFFFF" is -1 in 32 bits), and
// with a minus sign the magnitude must lie in the signed range.
bool ParseInteger(const String& text, int bits, int64_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  const uint64_t lowestMagnitude = uint64_t{1} << (bits - 1);
  const uint64_t bitPatternMax = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
  const uint64_t limit =
      negative ? lowestMagnitude : (base == 16 ? bitPatternMax : lowestMagnitude - 1);
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0 || magnitude > (limit - digit) / base) return false;
    magnitude = magnitude * base + digit;
  }
  if (negative) {
    value = static_cast<int64_t>(0 - magnitude);
  } else if (bits == 32) {
    value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
  } else {
    value = static_cast<int64_t>(magnitude);
  }
  return true;
}

String InvalidIntegerMessage(const String& text) {
  return "'" + text + "' is not a valid integer value";
}
String InvalidFloatMessage(const String& text) {
  return "'" + text + "' is not a valid floating point value";
}

// The decimal exponent of the leading digit of a mantissa written as digits "." digits; used
// to tell an overflow from an underflow when the value is out of the double's range.
int LeadingDigitExponent(const String& integerDigits, const String& fractionDigits) {
  const size_t firstInteger = integerDigits.find_first_not_of('0');
  if (firstInteger != String::npos)
    return static_cast<int>(integerDigits.size() - firstInteger) - 1;
  const size_t firstFraction = fractionDigits.find_first_not_of('0');
  return firstFraction == String::npos ? 0 : -static_cast<int>(firstFraction) - 1;
}

// The exponent of a float text, held at a billion when it is longer, which is out of any range.
long long SaturatedExponent(const String& exponentText) {
  constexpr long long Saturation = 1000000000;
  long long exponent = 0;
  const bool negative = exponentText[0] == '-';
  for (size_t i = negative ? 1 : 0; i < exponentText.size() && exponent < Saturation; ++i) {
    exponent = exponent * 10 + (exponentText[i] - '0');
  }
  return negative ? -exponent : exponent;
}

String ReadDigits(const String& text, size_t& pos) {
  const size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// Blanks around, an optional sign, digits with the given decimal separator, an optional exponent
// "E" [sign] digits. A value beyond the double's range is an error; one below it reads as zero.
bool ParseFloat(const String& text, char decimalSeparator, double& value) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  const String integerDigits = ReadDigits(text, pos);
  String fractionDigits;
  if (pos < text.size() && text[pos] == decimalSeparator) fractionDigits = ReadDigits(text, ++pos);
  if (integerDigits.empty() && fractionDigits.empty()) return false;
  String exponentText = "0";
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    const bool negativeExponent = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const String digits = ReadDigits(text, pos);
    if (digits.empty()) return false;
    exponentText = (negativeExponent ? "-" : "") + digits;
  }
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos != text.size()) return false;

  const String normalized = (integerDigits.empty() ? "0" : integerDigits) + "." +
                            (fractionDigits.empty() ? "0" : fractionDigits) + "e" + exponentText;
  double magnitude = 0;
  const auto result =
      std::from_chars(normalized.data(), normalized.data() + normalized.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    if (SaturatedExponent(exponentText) + LeadingDigitExponent(integerDigits, fractionDigits) > 0) {
      return false;
    }
    magnitude = 0;
  } else if (result.ec != std::errc()) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Rounding

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0)) return floor + 1;
  return floor;
}

[[noreturn]] void OutOfIntegerRange(double value, int bits) {
  throw EConvertError("Value " + FloatToStr(value, '.') + " is out of the " + std::to_string(bits) +
                      "-bit integer range");
}

int64_t ToInt64Checked(double integral) {
  // 2^63 is exact as a double; every double below it and at or above -2^63 converts exactly.
  constexpr double Limit = 9223372036854775808.0;
  if (!(integral >= -Limit && integral < Limit)) OutOfIntegerRange(integral, 64);
  return static_cast<int64_t>(integral);
}

// ---------------------------------------------------------------------------------------------
// Dates: serial day numbers of the proleptic Gregorian calendar, day 0 being 30 December 1899.

constexpr int64_t MSecsPerDay = 86400000;
constexpr int64_t UnixDateDelta = 25569;   // 1 January 1970 as a day number
constexpr int64_t MinDayNumber = -693593;  // 1 January 0001
constexpr int64_t MaxDayNumber = 2958465;  // 31 December 9999

const int DaysInMonths[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                 {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

int64_t DayNumberOf(int year, int month, int day) {
  const int64_t y = year - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + UnixDateDelta;
}

void CivilDateOf(int64_t dayNumber, int& year, int& month, int& day) {
  const int64_t z = dayNumber - UnixDateDelta + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// A date-time split as the platform splits it: the day is the value truncated towards zero and
// the time of day is the absolute fraction, so -1.25 is 29 December 1899, 06:00. The value is
// rounded to the millisecond first.
struct TSplitDateTime {
  int64_t Day = 0;
  int64_t MSecOfDay = 0;
};

std::optional<TSplitDateTime> SplitDateTime(TDateTime value) {
  // Far beyond the years 1 to 9999, but small enough to count in milliseconds without overflow.
  constexpr double MaxDays = 1e8;
  if (!std::isfinite(value) || std::fabs(value) > MaxDays) return std::nullopt;
  const int64_t totalMSecs = static_cast<int64_t>(RoundHalfEven(value * MSecsPerDay));
  return TSplitDateTime{totalMSecs / MSecsPerDay, std::abs(totalMSecs) % MSecsPerDay};
}

// Joins a date and a time of day the way SplitDateTime takes them apart.
TDateTime JoinDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
  int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

TDateTimeParts DecodeDateTime(TDateTime value) {
  TDateTimeParts parts;
  DecodeDate(value, parts.Year, parts.Month, parts.Day);
  DecodeTime(value, parts.Hour, parts.Minute, parts.Second, parts.MSec);
  parts.DayOfWeek = DayOfWeek(value);
  return parts;
}

// ---------------------------------------------------------------------------------------------
// FormatDateTime

class TDateTimeFormatter {
 public:
  TDateTimeFormatter(TDateTime value, const TFormatSettings& settings)
      : FParts(DecodeDateTime(value)), FSettings(settings) {}

  String Run(const String& format) {
    Append(format.empty() ? String("c") : format, 0);
    return FResult;
  }

 private:
  // Formats nested in formats (ShortDateFormat inside "c", ...) go two levels deep at most, so a
  // format that names itself cannot loop.
  static constexpr int MaxNesting = 2;

  void Number(int value, int minDigits) { FResult += ZeroPadded(std::to_string(value), minDigits); }

  void Nested(const String& format, int level) {
    if (level < MaxNesting) Append(format, level + 1);
  }

  static int RunLength(const String& format, size_t& pos) {
    const char ch = format[pos];
    const size_t start = pos;
    while (pos < format.size() && format[pos] == ch) ++pos;
    return static_cast<int>(pos - start);
  }

  // An hour is shown on the 12-hour clock when the next "a" of the format (outside quotes and
  // before the next hour) begins am/pm, a/p or ampm.
  static bool Uses12HourClock(const String& format, size_t pos) {
    char quote = '\0';
    for (; pos < format.size(); ++pos) {
      const char ch = format[pos];
      if (quote != '\0') {
        if (ch == quote) quote = '\0';
      } else if (ch == '\'' || ch == '"') {
        quote = ch;
      } else if (ch == 'a' || ch == 'A') {
        return StartsWithText(format, pos, "am/pm") || StartsWithText(format, pos, "a/p") ||
               StartsWithText(format, pos, "ampm");
      } else if (ch == 'h' || ch == 'H') {
        return false;
      }
    }
    return false;
  }

  void AppendHour(const String& format, size_t& pos) {
    const int count = RunLength(format, pos);
    int hour = FParts.Hour;
    if (Uses12HourClock(format, pos)) {
      if (hour == 0) {
        hour = 12;
      } else if (hour > 12) {
        hour -= 12;
      }
    }
    Number(hour, std::min(count, 2));
  }

  // am/pm and a/p print their own letters in the case written; ampm prints the locale's texts.
  void AppendHalfDay(const String& format, size_t& pos) {
    const bool afternoon = FParts.Hour >= 12;
    if (StartsWithText(format, pos, "am/pm")) {
      FResult.append(format, pos + (afternoon ? 3 : 0), 2);
      pos += 5;
    } else if (StartsWithText(format, pos, "a/p")) {
      FResult.push_back(format[pos + (afternoon ? 2 : 0)]);
      pos += 3;
    } else if (StartsWithText(format, pos, "ampm")) {
      FResult += afternoon ? FSettings.TimePMString : FSettings.TimeAMString;
      pos += 4;
    } else {
      FResult.push_back(format[pos++]);
    }
  }

  void AppendDay(int count, int level) {
    if (count <= 2) {
      Number(FParts.Day, count);
    } else if (count <= 4) {
      if (HasNames()) {
        FResult +=
            (count == 3 ? FSettings.ShortDayNames : FSettings.LongDayNames)[FParts.DayOfWeek - 1];
      }
    } else {
      Nested(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, level);
    }
  }

  void AppendMonth(int count) {
    if (count <= 2) {
      Number(FParts.Month, count);
    } else if (HasNames()) {
      const String* names = count == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames;
      FResult += names[FParts.Month - 1];
    }
  }

  void AppendQuoted(const String& format, size_t& pos) {
    const char quote = format[pos++];
    const size_t end = format.find(quote, pos);
    FResult.append(format, pos, end == String::npos ? String::npos : end - pos);
    pos = end == String::npos ? format.size() : end + 1;
  }

  // A value outside the years 1 to 9999 decodes to zeros and has no month or day name.
  bool HasNames() const { return FParts.Month >= 1 && FParts.DayOfWeek >= 1; }

  void Append(const String& format, int level) {
    char lastToken = ' ';
    size_t pos = 0;
    while (pos < format.size()) {
      const char ch = format[pos];
      char token = AsciiUpper(ch);
      if (IsAsciiLetter(ch)) {
        // "m" right after an hour is the minute.
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      switch (token) {
        case 'Y': {
          const int count = RunLength(format, pos);
          if (count <= 2) {
            Number(FParts.Year % 100, 2);
          } else {
            Number(FParts.Year, 4);
          }
          break;
        }
        case 'M':
          AppendMonth(RunLength(format, pos));
          break;
        case 'D':
          AppendDay(RunLength(format, pos), level);
          break;
        case 'H':
          AppendHour(format, pos);
          break;
        case 'N':
          Number(FParts.Minute, std::min(RunLength(format, pos), 2));
          break;
        case 'S':
          Number(FParts.Second, std::min(RunLength(format, pos), 2));
          break;
        case 'Z':
          Number(FParts.MSec, RunLength(format, pos) >= 3 ? 3 : 1);
          break;
        case 'T':
          Nested(RunLength(format, pos) == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat,
                 level);
          break;
        case 'C':
          RunLength(format, pos);
          Nested(FSettings.ShortDateFormat, level);
          if (FParts.Hour != 0 || FParts.Minute != 0 || FParts.Second != 0) {
            FResult.push_back(' ');
            Nested(FSettings.LongTimeFormat, level);
          }
          break;
        case 'A':
          AppendHalfDay(format, pos);
          break;
        case '/':
          FResult.push_back(FSettings.DateSeparator);
          ++pos;
          break;
        case ':':
          FResult.push_back(FSettings.TimeSeparator);
          ++pos;
          break;
        case '\'':
        case '"':
          AppendQuoted(format, pos);
          break;
        default:
          FResult.push_back(ch);
          ++pos;
          break;
      }
    }
  }

  TDateTimeParts FParts;
  const TFormatSettings& FSettings;
  String FResult;
};

// ---------------------------------------------------------------------------------------------
// Reading dates and times

enum class TDateOrder { DMY, MDY, YMD };

// The order of day, month and year is the order in which ShortDateFormat names them first.
TDateOrder DateOrderOf(const String& shortDateFormat) {
  for (char ch : shortDateFormat) {
    switch (AsciiUpper(ch)) {
      case 'D':
        return TDateOrder::DMY;
      case 'M':
        return TDateOrder::MDY;
      case 'Y':
        return TDateOrder::YMD;
      default:
        break;
    }
  }
  return TDateOrder::DMY;
}

class TDateTimeScanner {
 public:
  TDateTimeScanner(const String& text, const TFormatSettings& settings)
      : FText(text), FSettings(settings) {}

  bool ReadDate(TDateTime& date) {
    int first = 0, second = 0, third = 0, firstLength = 0, secondLength = 0, thirdLength = 0;
    if (!ReadNumber(first, firstLength) || !Take(FSettings.DateSeparator) ||
        !ReadNumber(second, secondLength)) {
      return false;
    }
    const bool hasYear = Take(FSettings.DateSeparator);
    if (hasYear && !ReadNumber(third, thirdLength)) return false;
    const TDateOrder order = DateOrderOf(FSettings.ShortDateFormat);
    int year = 0, month = 0, day = 0, yearLength = 4;
    if (!hasYear) {
      int unused = 0;
      DecodeDate(::Date(), year, unused, unused);
      if (order == TDateOrder::DMY) {
        day = first, month = second;
      } else {
        month = first, day = second;
      }
    } else if (order == TDateOrder::DMY) {
      day = first, month = second, year = third, yearLength = thirdLength;
    } else if (order == TDateOrder::MDY) {
      month = first, day = second, year = third, yearLength = thirdLength;
    } else {
      year = first, month = second, day = third, yearLength = firstLength;
    }
    if (yearLength <= 2) year = WithCentury(year);
    return TryEncodeDate(year, month, day, date);
  }

  // hours ":" minutes [":" seconds ["." milliseconds]] [AM or PM]
  bool ReadTime(TDateTime& time) {
    int hour = 0, minute = 0, second = 0, msec = 0, length = 0;
    if (!ReadNumber(hour, length) || !Take(FSettings.TimeSeparator) ||
        !ReadNumber(minute, length)) {
      return false;
    }
    if (Take(FSettings.TimeSeparator)) {
      if (!ReadNumber(second, length)) return false;
      if (Take(FSettings.DecimalSeparator) && !ReadNumber(msec, length)) return false;
    }
    if (const std::optional<bool> afternoon = ReadHalfDay()) {
      if (hour < 1 || hour > 12) return false;
      hour = hour % 12 + (*afternoon ? 12 : 0);
    }
    return TryEncodeTime(hour, minute, second, msec, time);
  }

  bool AtEnd() {
    SkipBlanks();
    return FPos == FText.size();
  }

  void Restart() { FPos = 0; }

 private:
  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == ' ') ++FPos;
  }

  bool Take(char ch) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == ch) {
      ++FPos;
      return true;
    }
    return false;
  }

  // One to four digits.
  bool ReadNumber(int& value, int& length) {
    SkipBlanks();
    const size_t start = FPos;
    value = 0;
    while (FPos < FText.size() && IsDigit(FText[FPos]) && FPos - start < 4) {
      value = value * 10 + (FText[FPos++] - '0');
    }
    length = static_cast<int>(FPos - start);
    return length > 0 && !(FPos < FText.size() && IsDigit(FText[FPos]));
  }

  bool TakeText(const String& word) {
    if (word.empty() || !StartsWithText(FText, FPos, word.c_str())) return false;
    FPos += word.size();
    return true;
  }

  std::optional<bool> ReadHalfDay() {
    SkipBlanks();
    if (TakeText(FSettings.TimeAMString) || TakeText("AM")) return false;
    if (TakeText(FSettings.TimePMString) || TakeText("PM")) return true;
    return std::nullopt;
  }

  int WithCentury(int year) const {
    int currentYear = 0, unused = 0;
    DecodeDate(::Date(), currentYear, unused, unused);
    const int centuryBase = currentYear - FSettings.TwoDigitYearCenturyWindow;
    year += centuryBase / 100 * 100;
    if (FSettings.TwoDigitYearCenturyWindow > 0 && year < centuryBase) year += 100;
    return year;
  }

  const String& FText;
  const TFormatSettings& FSettings;
  size_t FPos = 0;
};

}  // namespace

// -------------------------------------------------------------------------------------------------

String Format(const String& format, std::initializer_list<TVarRec> args) {
  return TFormatter(format, args.begin(), args.size()).Run();
}

String Format(const String& format, const std::vector<TVarRec>& args) {
  return TFormatter(format, args.data(), args.size()).Run();
}

String FloatToStr(double value) { return FloatToStr(value, FormatSettings.DecimalSeparator); }

String FloatToStr(double value, char decimalSeparator) {
  // Whole numbers below 1E15 print as plain integers in the general form; IDs take this road
  // by the million, so it skips the digit generation.
  if (std::fabs(value) < 1e15 && value == std::trunc(value))
    return std::to_string(static_cast<int64_t>(value));
  return GeneralText(value, 15, 0, decimalSeparator);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatText(value, format, precision, digits, FormatSettings);
}

String IntToStr(int64_t value) { return std::to_string(value); }

String UIntToHex(uint64_t value, int digits) {
  return ZeroPadded(UnsignedToText(value, 16), digits);
}

bool TryStrToInt(const String& text, int32_t& value) {
  int64_t wide = 0;
  if (!ParseInteger(text, 32, wide)) return false;
  value = static_cast<int32_t>(wide);
  return true;
}

int32_t StrToInt(const String& text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError(InvalidIntegerMessage(text));
  return value;
}

int32_t StrToIntDef(const String& text, int32_t defaultValue) {
  int32_t value = 0;
  return TryStrToInt(text, value) ? value : defaultValue;
}

bool TryStrToInt64(const String& text, int64_t& value) { return ParseInteger(text, 64, value); }

int64_t StrToInt64(const String& text) {
  int64_t value = 0;
  if (!TryStrToInt64(text, value)) throw EConvertError(InvalidIntegerMessage(text));
  return value;
}

int64_t StrToInt64Def(const String& text, int64_t defaultValue) {
  int64_t value = 0;
  return TryStrToInt64(text, value) ? value : defaultValue;
}

bool TryStrToFloat(const String& text, double& value, char decimalSeparator) {
  return ParseFloat(text, decimalSeparator, value);
}

bool TryStrToFloat(const String& text, double& value) {
  return ParseFloat(text, FormatSettings.DecimalSeparator, value);
}

double StrToFloat(const String& text) {
  double value = 0;
  if (!TryStrToFloat(text, value)) throw EConvertError(InvalidFloatMessage(text));
  return value;
}

double StrToFloatDef(const String& text, double defaultValue) {
  double value = 0;
  return TryStrToFloat(text, value) ? value : defaultValue;
}

String TrimLeft(const String& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  return String(first, text.end());
}

String TrimRight(const String& text) {
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  return String(text.begin(), last);
}

String Trim(const String& text) { return TrimLeft(TrimRight(text)); }

String UpperCase(const String& text) {
  String result = text;
  std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
  return result;
}

String LowerCase(const String& text) {
  String result = text;
  std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
  return result;
}

namespace {
// Compares byte by byte after `map`, then by length; the difference of the first unequal bytes.
template <class Map>
int CompareMapped(const String& a, const String& b, Map map) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int difference =
        static_cast<unsigned char>(map(a[i])) - static_cast<unsigned char>(map(b[i]));
    if (difference != 0) return difference;
  }
  return static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size());
}
}  // namespace

int CompareText(const String& a, const String& b) { return CompareMapped(a, b, AsciiUpper); }

int CompareStr(const String& a, const String& b) {
  return CompareMapped(a, b, [](char ch) { return ch; });
}

bool SameText(const String& a, const String& b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

int64_t Round(double value) { return ToInt64Checked(RoundHalfEven(value)); }

int32_t RoundToInt32(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<int32_t>::min() &&
        rounded <= std::numeric_limits<int32_t>::max())) {
    OutOfIntegerRange(rounded, 32);
  }
  return static_cast<int32_t>(rounded);
}

int64_t Trunc(double value) { return ToInt64Checked(std::trunc(value)); }

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonths[IsLeapYear(year)][month - 1]) {
    return false;
  }
  value = static_cast<TDateTime>(DayNumberOf(year, month, day));
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& value) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    return false;
  }
  const int64_t msecs = ((hour * 60 + minute) * 60 + second) * int64_t{1000} + millisecond;
  value = static_cast<TDateTime>(msecs) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime value = 0;
  if (!TryEncodeDate(year, month, day, value))
    throw EConvertError("Invalid argument to date encode");
  return value;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime value = 0;
  if (!TryEncodeTime(hour, minute, second, millisecond, value)) {
    throw EConvertError("Invalid argument to time encode");
  }
  return value;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  year = month = day = 0;
  const auto split = SplitDateTime(value);
  if (split && split->Day >= MinDayNumber && split->Day <= MaxDayNumber) {
    CivilDateOf(split->Day, year, month, day);
  }
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  const int64_t msecs = SplitDateTime(value).value_or(TSplitDateTime{}).MSecOfDay;
  hour = static_cast<int>(msecs / 3600000);
  minute = static_cast<int>(msecs / 60000 % 60);
  second = static_cast<int>(msecs / 1000 % 60);
  millisecond = static_cast<int>(msecs % 1000);
}

int DayOfWeek(TDateTime value) {
  const auto split = SplitDateTime(value);
  if (!split || split->Day < MinDayNumber || split->Day > MaxDayNumber) return 0;
  // 1 January 0001 was a Monday; day 0 (30 December 1899) a Saturday.
  return static_cast<int>((split->Day - MinDayNumber + 1) % 7) + 1;
}

TDateTime Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return JoinDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                      EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                                 static_cast<int>(now.tv_nsec / 1000000)));
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime FileDateToDateTime(int32_t fileDate) {
  const uint32_t packed = static_cast<uint32_t>(fileDate);
  const uint32_t date = packed >> 16;
  const uint32_t time = packed & 0xFFFF;
  return JoinDateTime(EncodeDate(static_cast<int>(date >> 9) + 1980, (date >> 5) & 15, date & 31),
                      EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0));
}

int32_t DateTimeToFileDate(TDateTime value) {
  const TDateTimeParts parts = DecodeDateTime(value);
  // The packed form holds the years 1980 to 2107; other dates have no file date.
  if (parts.Year < 1980 || parts.Year > 2107) return 0;
  const uint32_t date =
      (static_cast<uint32_t>(parts.Year - 1980) << 9) | (parts.Month << 5) | parts.Day;
  const uint32_t time = (parts.Hour << 11) | (parts.Minute << 5) | (parts.Second / 2);
  return static_cast<int32_t>((date << 16) | time);
}

String FormatDateTime(const String& format, TDateTime value) {
  return TDateTimeFormatter(value, FormatSettings).Run(format);
}

String DateToStr(TDateTime value) { return FormatDateTime("ddddd", value); }
String TimeToStr(TDateTime value) { return FormatDateTime("tt", value); }
String DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

TDateTime StrToDate(const String& text) {
  TDateTimeScanner scanner(text, FormatSettings);
  TDateTime date = 0;
  if (!scanner.ReadDate(date) || !scanner.AtEnd())
    throw EConvertError("'" + text + "' is not a valid date");
  return date;
}

// A date, a date followed by a time, or a time alone.
TDateTime StrToDateTime(const String& text) {
  TDateTimeScanner scanner(text, FormatSettings);
  TDateTime date = 0, time = 0;
  if (scanner.ReadDate(date)) {
    if (scanner.AtEnd()) return date;
    if (scanner.ReadTime(time) && scanner.AtEnd()) return JoinDateTime(date, time);
  } else {
    scanner.Restart();
    if (scanner.ReadTime(time) && scanner.AtEnd()) return time;
  }
  throw EConvertError("'" + text + "' is not a valid date and time");
}
