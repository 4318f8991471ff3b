// The sectioned settings file ("[Section]" lines followed by "Key=Value" lines) with the
// semantics of the operating system's private-profile functions that the system was built on.
//
// - Section and key names are matched without regard to letter case (Unicode-aware); the first
//   matching section and, within it, the first matching key win.
// - Nothing is cached: every read reads the file, every write rewrites it at once, replacing it
//   in one step (see AtomicWriteFile), so a crash never leaves a half-written file.
// - Values are read trimmed of blanks, and one pair of surrounding double or single quotes is
//   removed. A missing key gives the default; a key with an empty value gives "".
// - Writing keeps every other line as it was: comments (lines starting with ';'), blank lines,
//   lines without "=", lines before the first section, a UTF-8 byte order mark, the file's line
//   breaks (LF or CR LF). A rewritten key is replaced in place under its existing spelling; a
//   new key goes after the last key line of its section; a new section goes at the end.
// - A missing or unreadable file reads as empty. The file is UTF-8; invalid UTF-8 and binary
//   bytes are kept byte for byte (never interpreted, never a crash), a line without "=" is not a
//   key, and lines of any length are kept whole.
// - Failures: a write that cannot be done raises EIniFileException "Unable to write to <file>"
//   and leaves the file as it was (also when the file exists but cannot be read, so that its
//   content is never lost). Names and values that would break the line structure (a line break
//   anywhere, "=" or a leading ';' or '[' in a key, ']' in a section name, blank names) raise
//   EIniFileException and nothing is written: a value can never inject a line of its own.
#pragma once

#include <cstdint>

#include "platform/rtl/Object.h"

class TStrings;

class TIniFile : public TObject {
  RTL_CLASS(TIniFile, TObject)
 public:
  void Construct(const String& fileName) { FFileName = fileName; }

  const String& FileName() const { return FFileName; }

  String ReadString(const String& section, const String& ident, const String& defaultValue) const;
  void WriteString(const String& section, const String& ident, const String& value);
  // The value as an integer (decimal, or hexadecimal after "$" or "0x"); the default when the
  // key is missing or its value is not an integer.
  int32_t ReadInteger(const String& section, const String& ident, int32_t defaultValue) const;
  void WriteInteger(const String& section, const String& ident, int32_t value);
  // ReadInteger with the default's ordinal, then any non-zero value is true.
  bool ReadBool(const String& section, const String& ident, bool defaultValue) const;
  // Writes "1" or "0".
  void WriteBool(const String& section, const String& ident, bool value);
  // The value read with the process's decimal separator; the default when missing or malformed.
  double ReadFloat(const String& section, const String& ident, double defaultValue) const;
  void WriteFloat(const String& section, const String& ident, double value);

  // A section exists when it holds at least one key, as the original platform judges it.
  bool SectionExists(const String& section) const;
  bool ValueExists(const String& section, const String& ident) const;
  // The key names of the section, each once, in file order.
  void ReadSection(const String& section, TStrings* strings) const;
  // The section names of the file, each once, in file order.
  void ReadSections(TStrings* strings) const;
  // "Key=Value" lines of the section, with values as ReadString gives them.
  void ReadSectionValues(const String& section, TStrings* strings) const;
  // Removes every section of that name with all its lines.
  void EraseSection(const String& section);
  // Removes the key's lines from the section.
  void DeleteKey(const String& section, const String& ident);
  // Every write is already in the file; kept for callers that flush explicitly.
  void UpdateFile() {}

 protected:
  TIniFile() = default;

 private:
  String FFileName;
};
