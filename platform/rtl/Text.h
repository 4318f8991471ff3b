// Text in memory is UTF-8. These are the conversions at the edges (UTF-16 for wide-character
// interfaces, Windows-1251 codes where the system computes on 8-bit characters) and the
// Unicode-correct case operations that stand in for the platform's "Ansi" routines.
//
// Case: AnsiUpperCase, AnsiLowerCase and AnsiSameText map character by character with Unicode's
// simple case mappings (ICU u_toupper, u_tolower, u_foldCase), so a text keeps its number of
// characters, as the platform's per-character mapping did. Ordering: AnsiCompareText and
// AnsiCompareStr use the root collation of ICU (Latin before Cyrillic, "ё" right after "е"),
// AnsiCompareText ignoring case, AnsiCompareStr not; texts that collate equal but are not the same
// are ordered by their characters, so a result of 0 means exactly AnsiSameText / AnsiSameStr.
// Texts of ASCII characters only take fast paths without ICU where the result is the same.
#pragma once

#include <string>

#include "platform/rtl/Exceptions.h"

// Reads the character at `pos` and moves `pos` past it. An ill-formed sequence reads as U+FFFD
// and `pos` moves past its longest ill-formed start (one byte at least), never beyond the text.
char32_t NextUtf8Char(const String& text, size_t& pos);
// Appends `ch` in UTF-8; a surrogate or a value above U+10FFFF is appended as U+FFFD.
void AppendUtf8Char(String& text, char32_t ch);
bool IsValidUtf8(const String& text);

std::u16string Utf8ToWide(const String& text);
// Unpaired surrogates become U+FFFD.
String WideToUtf8(const std::u16string& text);

// The Windows-1251 code of a character, or '?' (63) when the code page has none.
int Cp1251Code(char32_t ch);
// A byte string of Windows-1251 codes; characters without a code become '?'.
String Utf8ToCp1251(const String& text);
// The one unassigned code, 0x98, reads as U+FFFD.
String Cp1251ToUtf8(const String& bytes);

String AnsiUpperCase(const String& text);
String AnsiLowerCase(const String& text);
bool AnsiSameText(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);  // < 0, 0, > 0
int AnsiCompareStr(const String& a, const String& b);   // < 0, 0, > 0
bool AnsiSameStr(const String& a, const String& b);

// 1-based byte position of the first occurrence of `substr` in `text`, 0 when there is none or
// `substr` is empty. A valid UTF-8 `substr` is only ever found at a character boundary, so the
// platform's character-aware AnsiPos is the same search.
int Pos(const String& substr, const String& text);
int AnsiPos(const String& substr, const String& text);

// True when the text holds a letter of the Cyrillic script.
bool ContainsCyrillic(const String& text);
