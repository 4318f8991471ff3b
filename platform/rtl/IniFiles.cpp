#include "platform/rtl/IniFiles.h"

#include <optional>
#include <vector>

#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

RTL_CLASS_IMPL(TIniFile, TObject)

namespace {

const char* const kUtf8Bom = "\xEF\xBB\xBF";

// The file as lines, with what it takes to write it back as it was.
struct TIniDocument {
  String Bom;
  String LineBreak = "\n";
  std::vector<String> Lines;
};

// A section: its header line and the end of its body (the next header or the end of the file).
struct TSectionSpan {
  size_t Header;
  size_t End;
};

TIniDocument ParseDocument(String content) {
  TIniDocument document;
  if (content.starts_with(kUtf8Bom)) {
    document.Bom = kUtf8Bom;
    content.erase(0, 3);
  }
  const size_t firstBreak = content.find('\n');
  if (firstBreak != String::npos && firstBreak > 0 && content[firstBreak - 1] == '\r')
    document.LineBreak = "\r\n";
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == String::npos) end = content.size();
    size_t length = end - start;
    if (length > 0 && content[end - 1] == '\r') --length;
    document.Lines.push_back(content.substr(start, length));
    start = end + 1;
  }
  return document;
}

String ComposeDocument(const TIniDocument& document) {
  String content = document.Bom;
  for (const String& line : document.Lines) content += line + document.LineBreak;
  return content;
}

// The name of a section header line ("[Name]"); nullopt for other lines.
std::optional<String> SectionNameOf(const String& line) {
  const String text = TrimLeft(line);
  if (!text.starts_with('[')) return std::nullopt;
  const size_t close = text.find(']');
  return Trim(text.substr(1, close == String::npos ? String::npos : close - 1));
}

struct TKeyLine {
  String Key;
  String RawValue;
};

// The key and raw value of a "Key=Value" line; nullopt for headers, comments, blank lines and
// lines without "=" or without a name.
std::optional<TKeyLine> KeyLineOf(const String& line) {
  const String text = TrimLeft(line);
  if (text.empty() || text.starts_with(';') || text.starts_with('[')) return std::nullopt;
  const size_t equals = text.find('=');
  if (equals == String::npos) return std::nullopt;
  String key = Trim(text.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return TKeyLine{std::move(key), text.substr(equals + 1)};
}

// A value as read: trimmed, one pair of surrounding quotes removed.
String ValueOf(const String& rawValue) {
  String value = Trim(rawValue);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

bool SameName(const String& a, const String& b) { return AnsiSameText(a, b); }

// Names differing only in letter case are one name; the first spelling is kept.
void AddDistinct(std::vector<String>& names, const String& name) {
  for (const String& known : names)
    if (SameName(known, name)) return;
  names.push_back(name);
}

void FillStrings(TStrings* strings, const std::vector<String>& lines) {
  TStringsUpdateScope update(strings);
  strings->Clear();
  for (const String& line : lines) strings->Add(line);
}

std::vector<TSectionSpan> Sections(const TIniDocument& document) {
  std::vector<TSectionSpan> sections;
  for (size_t i = 0; i < document.Lines.size(); ++i) {
    if (!SectionNameOf(document.Lines[i])) continue;
    if (!sections.empty()) sections.back().End = i;
    sections.push_back({i, document.Lines.size()});
  }
  return sections;
}

std::vector<TSectionSpan> SectionsNamed(const TIniDocument& document, const String& section) {
  const String name = Trim(section);
  std::vector<TSectionSpan> found;
  for (const TSectionSpan& span : Sections(document))
    if (SameName(*SectionNameOf(document.Lines[span.Header]), name)) found.push_back(span);
  return found;
}

std::optional<TSectionSpan> FirstSection(const TIniDocument& document, const String& section) {
  const std::vector<TSectionSpan> found = SectionsNamed(document, section);
  if (found.empty()) return std::nullopt;
  return found.front();
}

// Lines of the section's body holding the key, in file order.
std::vector<size_t> KeyLines(const TIniDocument& document, const TSectionSpan& span,
                             const String& ident) {
  const String name = Trim(ident);
  std::vector<size_t> lines;
  for (size_t i = span.Header + 1; i < span.End; ++i) {
    const std::optional<TKeyLine> keyLine = KeyLineOf(document.Lines[i]);
    if (keyLine && SameName(keyLine->Key, name)) lines.push_back(i);
  }
  return lines;
}

std::optional<String> RawValueOf(const TIniDocument& document, const String& section,
                                 const String& ident) {
  const std::optional<TSectionSpan> span = FirstSection(document, section);
  if (!span) return std::nullopt;
  const std::vector<size_t> lines = KeyLines(document, *span, ident);
  if (lines.empty()) return std::nullopt;
  return KeyLineOf(document.Lines[lines.front()])->RawValue;
}

// The key names of the first section of that name, each once.
std::vector<String> KeyNames(const TIniDocument& document, const String& section) {
  std::vector<String> names;
  const std::optional<TSectionSpan> span = FirstSection(document, section);
  if (!span) return names;
  for (size_t i = span->Header + 1; i < span->End; ++i) {
    if (const std::optional<TKeyLine> keyLine = KeyLineOf(document.Lines[i]))
      AddDistinct(names, keyLine->Key);
  }
  return names;
}

// Where a new key of the section goes: after its last key line, else right after the header.
size_t NewKeyPosition(const TIniDocument& document, const TSectionSpan& span) {
  size_t position = span.Header + 1;
  for (size_t i = span.Header + 1; i < span.End; ++i)
    if (KeyLineOf(document.Lines[i])) position = i + 1;
  return position;
}

bool HasLineBreak(const String& text) { return text.find_first_of("\r\n") != String::npos; }

void CheckSectionName(const String& section) {
  const String name = Trim(section);
  if (name.empty() || HasLineBreak(section) || name.find(']') != String::npos)
    throw EIniFileException("Invalid section name \"" + section + "\"");
}

void CheckKeyName(const String& section, const String& ident) {
  const String name = Trim(ident);
  if (name.empty() || HasLineBreak(ident) || name.find('=') != String::npos ||
      name.starts_with(';') || name.starts_with('['))
    throw EIniFileException("Invalid key name \"" + ident + "\" in section [" + section + "]");
}

void CheckValue(const String& section, const String& ident, const String& value) {
  if (HasLineBreak(value))
    throw EIniFileException("The value of [" + section + "] " + ident +
                            " holds a line break, which a settings file cannot keep");
}

[[noreturn]] void RaiseWriteError(const String& fileName) {
  throw EIniFileException("Unable to write to " + fileName);
}

TIniDocument ReadDocument(const String& fileName) {
  try {
    return ParseDocument(ReadWholeFile(fileName));
  } catch (const EInOutError&) {
    return TIniDocument();
  }
}

// The document a write starts from. Only a file that is not there counts as empty: one that
// exists but cannot be read must not be replaced by the few lines a write knows of.
TIniDocument ReadDocumentForUpdate(const String& fileName) {
  if (!FileExists(fileName) && !DirectoryExists(fileName)) return TIniDocument();
  try {
    return ParseDocument(ReadWholeFile(fileName));
  } catch (const EInOutError&) {
    RaiseWriteError(fileName);
  }
}

void WriteDocument(const String& fileName, const TIniDocument& document) {
  try {
    AtomicWriteFile(fileName, ComposeDocument(document));
  } catch (const EInOutError&) {
    RaiseWriteError(fileName);
  }
}

void ReplaceKeyLine(String& line, const String& value) {
  line = KeyLineOf(line)->Key + "=" + value;
}

void AppendSection(TIniDocument& document, const String& section, const String& keyLine) {
  if (!document.Lines.empty() && !Trim(document.Lines.back()).empty())
    document.Lines.emplace_back();
  document.Lines.push_back("[" + Trim(section) + "]");
  document.Lines.push_back(keyLine);
}

}  // namespace

String TIniFile::ReadString(const String& section, const String& ident,
                            const String& defaultValue) const {
  const std::optional<String> raw = RawValueOf(ReadDocument(FFileName), section, ident);
  return raw ? ValueOf(*raw) : defaultValue;
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value) {
  CheckSectionName(section);
  CheckKeyName(section, ident);
  CheckValue(section, ident, value);
  TIniDocument document = ReadDocumentForUpdate(FFileName);
  const String keyLine = Trim(ident) + "=" + value;
  if (const std::optional<TSectionSpan> span = FirstSection(document, section)) {
    const std::vector<size_t> lines = KeyLines(document, *span, ident);
    if (!lines.empty())
      ReplaceKeyLine(document.Lines[lines.front()], value);
    else
      document.Lines.insert(
          document.Lines.begin() + static_cast<ptrdiff_t>(NewKeyPosition(document, *span)),
          keyLine);
  } else {
    AppendSection(document, section, keyLine);
  }
  WriteDocument(FFileName, document);
}

int32_t TIniFile::ReadInteger(const String& section, const String& ident,
                              int32_t defaultValue) const {
  return StrToIntDef(ReadString(section, ident, String()), defaultValue);
}

void TIniFile::WriteInteger(const String& section, const String& ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const String& section, const String& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

double TIniFile::ReadFloat(const String& section, const String& ident, double defaultValue) const {
  return StrToFloatDef(ReadString(section, ident, String()), defaultValue);
}

void TIniFile::WriteFloat(const String& section, const String& ident, double value) {
  WriteString(section, ident, FloatToStr(value));
}

bool TIniFile::SectionExists(const String& section) const {
  return !KeyNames(ReadDocument(FFileName), section).empty();
}

bool TIniFile::ValueExists(const String& section, const String& ident) const {
  return RawValueOf(ReadDocument(FFileName), section, ident).has_value();
}

void TIniFile::ReadSection(const String& section, TStrings* strings) const {
  FillStrings(strings, KeyNames(ReadDocument(FFileName), section));
}

void TIniFile::ReadSections(TStrings* strings) const {
  const TIniDocument document = ReadDocument(FFileName);
  std::vector<String> names;
  for (const TSectionSpan& span : Sections(document))
    AddDistinct(names, *SectionNameOf(document.Lines[span.Header]));
  FillStrings(strings, names);
}

void TIniFile::ReadSectionValues(const String& section, TStrings* strings) const {
  const TIniDocument document = ReadDocument(FFileName);
  std::vector<String> lines;
  for (const String& name : KeyNames(document, section))
    lines.push_back(name + "=" + ValueOf(*RawValueOf(document, section, name)));
  FillStrings(strings, lines);
}

void TIniFile::EraseSection(const String& section) {
  TIniDocument document = ReadDocumentForUpdate(FFileName);
  const std::vector<TSectionSpan> spans = SectionsNamed(document, section);
  if (spans.empty()) return;
  for (auto span = spans.rbegin(); span != spans.rend(); ++span)
    document.Lines.erase(document.Lines.begin() + static_cast<ptrdiff_t>(span->Header),
                         document.Lines.begin() + static_cast<ptrdiff_t>(span->End));
  WriteDocument(FFileName, document);
}

void TIniFile::DeleteKey(const String& section, const String& ident) {
  TIniDocument document = ReadDocumentForUpdate(FFileName);
  const std::optional<TSectionSpan> span = FirstSection(document, section);
  if (!span) return;
  const std::vector<size_t> lines = KeyLines(document, *span, ident);
  if (lines.empty()) return;
  for (auto line = lines.rbegin(); line != lines.rend(); ++line)
    document.Lines.erase(document.Lines.begin() + static_cast<ptrdiff_t>(*line));
  WriteDocument(FFileName, document);
}
