#include "platform/rtl/Text.h"

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr char32_t ReplacementChar = 0xFFFD;

bool IsAscii(const String& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

char AsciiUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch; }
char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch; }

// Maps every character of the text; pure ASCII text is mapped byte by byte.
template <class AsciiMap, class UnicodeMap>
String MapCharacters(const String& text, AsciiMap asciiMap, UnicodeMap unicodeMap) {
  String result;
  if (IsAscii(text)) {
    result.resize(text.size());
    std::transform(text.begin(), text.end(), result.begin(), asciiMap);
    return result;
  }
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    AppendUtf8Char(
        result, static_cast<char32_t>(unicodeMap(static_cast<UChar32>(NextUtf8Char(text, pos)))));
  }
  return result;
}

char32_t FoldedChar(const String& text, size_t& pos) {
  const unsigned char byte = static_cast<unsigned char>(text[pos]);
  if (byte < 0x80) {
    ++pos;
    return static_cast<char32_t>(AsciiLower(static_cast<char>(byte)));
  }
  return static_cast<char32_t>(
      u_foldCase(static_cast<UChar32>(NextUtf8Char(text, pos)), U_FOLD_CASE_DEFAULT));
}

// Orders by the case-folded characters.
int CompareFolded(const String& a, const String& b) {
  size_t posA = 0, posB = 0;
  while (posA < a.size() && posB < b.size()) {
    const char32_t chA = FoldedChar(a, posA);
    const char32_t chB = FoldedChar(b, posB);
    if (chA != chB) return chA < chB ? -1 : 1;
  }
  return static_cast<int>(posA < a.size()) - static_cast<int>(posB < b.size());
}

int Sign(int value) { return (value > 0) - (value < 0); }

// The root collators, opened once and shared; ICU allows concurrent use of one collator for
// comparisons.
class TCollators {
 public:
  static const TCollators& Instance() {
    static const TCollators instance;
    return instance;
  }

  // 0 when either collator could not be opened, so callers fall back to the character order.
  int Compare(const String& a, const String& b, bool ignoreCase) const {
    UCollator* collator = ignoreCase ? FIgnoringCase : FCaseSensitive;
    if (collator == nullptr) return 0;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                         static_cast<int32_t>(b.size()), &status);
    if (U_FAILURE(status)) return 0;
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
  }

  TCollators(const TCollators&) = delete;
  TCollators& operator=(const TCollators&) = delete;

 private:
  TCollators() : FIgnoringCase(Open(UCOL_SECONDARY)), FCaseSensitive(Open(UCOL_TERTIARY)) {}
  ~TCollators() {
    if (FIgnoringCase) ucol_close(FIgnoringCase);
    if (FCaseSensitive) ucol_close(FCaseSensitive);
  }

  static UCollator* Open(UCollationStrength strength) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("", &status);
    if (U_FAILURE(status)) return nullptr;
    ucol_setStrength(collator, strength);
    return collator;
  }

  UCollator* FIgnoringCase;
  UCollator* FCaseSensitive;
};

// Windows-1251 from 0x80 to 0xBF; 0xC0..0xFF are А..я (U+0410..U+044F) in order.
constexpr std::array<char32_t, 64> Cp1251High = {
    0x0402,          0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC,          0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452,          0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    ReplacementChar, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0,          0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401,          0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0,          0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451,          0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};
constexpr char32_t Cp1251CyrillicFirst = 0x0410;  // А at 0xC0
constexpr char32_t Cp1251CyrillicLast = 0x044F;   // я at 0xFF

char32_t Cp1251Char(unsigned char code) {
  if (code < 0x80) return code;
  if (code >= 0xC0) return Cp1251CyrillicFirst + (code - 0xC0);
  return Cp1251High[code - 0x80];
}

// The high half sorted by character, for the reverse look-up.
using TCodeOfChar = std::pair<char32_t, unsigned char>;
std::array<TCodeOfChar, 64> SortedCp1251High() {
  std::array<TCodeOfChar, 64> sorted{};
  for (unsigned i = 0; i < sorted.size(); ++i)
    sorted[i] = {Cp1251High[i], static_cast<unsigned char>(0x80 + i)};
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

}  // namespace

char32_t NextUtf8Char(const String& text, size_t& pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  // The well-formed sequences: the lead byte fixes the length and the range of the second byte
  // (which excludes overlong forms, surrogates and values above U+10FFFF).
  int continuation = 0;
  char32_t ch = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    continuation = 1;
    ch = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    continuation = 2;
    ch = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    continuation = 3;
    ch = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return ReplacementChar;
  }
  for (int i = 0; i < continuation; ++i) {
    if (pos >= text.size()) return ReplacementChar;
    const unsigned char byte = static_cast<unsigned char>(text[pos]);
    if (byte < low || byte > high) return ReplacementChar;
    ch = (ch << 6) | (byte & 0x3F);
    low = 0x80, high = 0xBF;
    ++pos;
  }
  return ch;
}

void AppendUtf8Char(String& text, char32_t ch) {
  if ((ch >= 0xD800 && ch <= 0xDFFF) || ch > 0x10FFFF) ch = ReplacementChar;
  if (ch < 0x80) {
    text.push_back(static_cast<char>(ch));
  } else if (ch < 0x800) {
    text.push_back(static_cast<char>(0xC0 | (ch >> 6)));
    text.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else if (ch < 0x10000) {
    text.push_back(static_cast<char>(0xE0 | (ch >> 12)));
    text.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xF0 | (ch >> 18)));
    text.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  }
}

bool IsValidUtf8(const String& text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    // A U+FFFD read from its own encoding is a character like any other.
    if (NextUtf8Char(text, pos) == ReplacementChar &&
        text.compare(start, pos - start, "\xEF\xBF\xBD") != 0) {
      return false;
    }
  }
  return true;
}

std::u16string Utf8ToWide(const String& text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const char32_t ch = NextUtf8Char(text, pos);
    if (ch < 0x10000) {
      wide.push_back(static_cast<char16_t>(ch));
    } else {
      wide.push_back(static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF)));
    }
  }
  return wide;
}

String WideToUtf8(const std::u16string& text) {
  String result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
    if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8Char(result, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
    } else {
      AppendUtf8Char(result, unit);  // a lone surrogate is written as U+FFFD
    }
  }
  return result;
}

int Cp1251Code(char32_t ch) {
  if (ch < 0x80) return static_cast<int>(ch);
  if (ch >= Cp1251CyrillicFirst && ch <= Cp1251CyrillicLast)
    return 0xC0 + static_cast<int>(ch - Cp1251CyrillicFirst);
  static const std::array<TCodeOfChar, 64> sorted = SortedCp1251High();
  const auto found = std::lower_bound(sorted.begin(), sorted.end(), TCodeOfChar{ch, 0});
  // U+FFFD stands in the table for the unassigned 0x98 and has no code of its own.
  if (found == sorted.end() || found->first != ch || ch == ReplacementChar) return '?';
  return found->second;
}

String Utf8ToCp1251(const String& text) {
  if (IsAscii(text)) return text;
  String bytes;
  bytes.reserve(text.size());
  for (size_t pos = 0; pos < text.size();)
    bytes.push_back(static_cast<char>(Cp1251Code(NextUtf8Char(text, pos))));
  return bytes;
}

String Cp1251ToUtf8(const String& bytes) {
  if (IsAscii(bytes)) return bytes;
  String text;
  text.reserve(bytes.size() * 2);
  for (char byte : bytes) AppendUtf8Char(text, Cp1251Char(static_cast<unsigned char>(byte)));
  return text;
}

String AnsiUpperCase(const String& text) { return MapCharacters(text, AsciiUpper, u_toupper); }

String AnsiLowerCase(const String& text) { return MapCharacters(text, AsciiLower, u_tolower); }

bool AnsiSameText(const String& a, const String& b) { return CompareFolded(a, b) == 0; }

int AnsiCompareText(const String& a, const String& b) {
  if (AnsiSameText(a, b)) return 0;
  const int collated = TCollators::Instance().Compare(a, b, true);
  return collated != 0 ? collated : CompareFolded(a, b);
}

int AnsiCompareStr(const String& a, const String& b) {
  if (a == b) return 0;
  const int collated = TCollators::Instance().Compare(a, b, false);
  return collated != 0 ? collated : Sign(a.compare(b));
}

bool AnsiSameStr(const String& a, const String& b) { return a == b; }

int Pos(const String& substr, const String& text) {
  if (substr.empty()) return 0;
  const size_t found = text.find(substr);
  return found == String::npos ? 0 : static_cast<int>(found) + 1;
}

int AnsiPos(const String& substr, const String& text) { return Pos(substr, text); }

bool ContainsCyrillic(const String& text) {
  for (size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const UChar32 ch = static_cast<UChar32>(NextUtf8Char(text, pos));
    UErrorCode status = U_ZERO_ERROR;
    if (u_isalpha(ch) && uscript_getScript(ch, &status) == USCRIPT_CYRILLIC && U_SUCCESS(status))
      return true;
  }
  return false;
}
