#include "src/ComUnits/uLocalSettings.h"

#include <memory>

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace {

const char* const kComSettings = "COM_SETTINGS";
const char* const kEMail = "E-MAIL";
const char* const kScaner = "SCANER";
const char* const kFactSettings = "FACT_SETTINGS";
const char* const kDividerTab = "\t";
const char* const kDefaultDivider = "-";
const int32_t kDefaultScanerPort = 1;
const int32_t kDefaultCertificateDate = 2198865;
const int32_t kDefaultNumCopies = 1;

struct TIniFileFree {
  void operator()(TIniFile* file) const { file->Free(); }
};

std::unique_ptr<TIniFile, TIniFileFree>& OpenedSettingsFile() {
  static std::unique_ptr<TIniFile, TIniFileFree> file;
  return file;
}

String SettingsFilePath() { return HostProgramFolder() + SettingsIniName; }

// ---------------------------------------------------------------------------------------------
// Folders

using TFolderFunction = String (*)();

String HostFolder() { return HostProgramFolder(); }

String HostFolderOrDot() {
  const String folder = HostFolder();
  return folder.empty() ? String("./") : folder;
}

// What a blank folder is stored as: the root, the one folder every system has.
String RootFolder() { return String(1, PathDelim); }

String DefaultAutoSavePath() { return HostFolderOrDot() + "Reports" + PathDelim; }
String DefaultRepTmpltFldr() { return HostFolder() + "ReportTemplates" + PathDelim; }
String DefaultRepTempFldr() { return HostFolder() + "ReportTemp" + PathDelim; }
String DefaultSendRepFldr() {
  return IncludeTrailingPathDelimiter(GetCurrentDir()) + "Out" + PathDelim;
}

enum class TTrailingDelimiter { AsStored, Added };

// The stored folder, or the default when the key is missing; created on the way.
String ReadFolder(const String& section, const char* key, TFolderFunction defaultFolder,
                  TTrailingDelimiter delimiter) {
  TIniFile* file = SettingsFile();
  String folder =
      file->ValueExists(section, key) ? file->ReadString(section, key, String()) : defaultFolder();
  if (delimiter == TTrailingDelimiter::Added) folder = IncludeTrailingPathDelimiter(folder);
  ForceDirectories(folder);
  return folder;
}

void WriteFolder(const String& section, const char* key, const String& value,
                 TFolderFunction blankFolder) {
  String folder = Trim(value);
  if (folder.empty()) folder = blankFolder();
  folder = IncludeTrailingPathDelimiter(folder);
  SettingsFile()->WriteString(section, key, folder);
  ForceDirectories(folder);
}

// ---------------------------------------------------------------------------------------------
// Plain values

int32_t ReadChoice(const char* section, const char* key, int32_t maximum) {
  const int32_t value = SettingsFile()->ReadInteger(section, key, 0);
  return (value >= 0 && value <= maximum) ? value : 0;
}

String ReadDivider(const char* section, const char* key) {
  const String value = SettingsFile()->ReadString(section, key, kDefaultDivider);
  return value == kDividerTab ? String() : value;
}

void WriteDivider(const char* section, const char* key, const String& value) {
  SettingsFile()->WriteString(section, key, Trim(value).empty() ? String(kDividerTab) : value);
}

// ---------------------------------------------------------------------------------------------
// The mail password

// The scrambling: each code is XORed with a byte that depends on its position, so scrambling
// twice gives the codes back.
const uint32_t kPasswordKey = 0x5A3C96E1;

uint8_t PasswordMask(size_t position) {
  const auto keyByte = static_cast<uint8_t>(kPasswordKey >> (8 * (position % 4)));
  return static_cast<uint8_t>(keyByte ^ (position * 0x1D));
}

String Scramble(const String& codes) {
  String result = codes;
  for (size_t i = 0; i < result.size(); ++i)
    result[i] = static_cast<char>(static_cast<uint8_t>(result[i]) ^ PasswordMask(i));
  return result;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsHexForm(const String& text) {
  if (text.size() % 2 != 0) return false;
  for (char c : text)
    if (HexDigitValue(c) < 0) return false;
  return true;
}

String ToHex(const String& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  String hex;
  for (char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

String FromHex(const String& hex) {
  String bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(HexDigitValue(hex[i]) * 16 + HexDigitValue(hex[i + 1]));
  return bytes;
}

// The Windows-1251 codes of a password; a character without one cannot be stored.
String PasswordCodes(const String& password) {
  size_t position = 0;
  while (position < password.size()) {
    const char32_t ch = NextUtf8Char(password, position);
    if (Cp1251Code(ch) == '?' && ch != U'?')
      throw EConvertError("The e-mail password holds a character that cannot be stored");
  }
  return Utf8ToCp1251(password);
}

// The codes held by an older-form password. A file written on Windows holds them as 8-bit
// bytes, which are no valid UTF-8; a file already converted to UTF-8 holds the characters.
String LegacyPasswordCodes(const String& stored) {
  return IsValidUtf8(stored) ? Utf8ToCp1251(stored) : stored;
}

// Converts an older-form password to the hexadecimal form; the repair is written back when the
// file can be written, and the password is read all the same when it cannot.
String RepairedPasswordForm(const String& stored) {
  const String hex = ToHex(LegacyPasswordCodes(stored));
  try {
    SettingsFile()->WriteString(kEMail, "Wrd", hex);
  } catch (const EIniFileException&) {
  }
  return hex;
}

// Skips the given number of characters (not bytes) of the text.
String AfterCharacters(const String& text, int count) {
  size_t position = 0;
  for (int i = 0; i < count && position < text.size(); ++i) NextUtf8Char(text, position);
  return text.substr(position);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The settings file

void OpenSettingsFile() { OpenedSettingsFile().reset(TIniFile::Create(SettingsFilePath())); }

void CloseSettingsFile() { OpenedSettingsFile().reset(); }

TIniFile* SettingsFile() {
  auto& file = OpenedSettingsFile();
  if (!file || file->FileName() != SettingsFilePath()) OpenSettingsFile();
  return file.get();
}

// ---------------------------------------------------------------------------------------------
// Settings of the lists

#define ROD_DEFINE_BOOLEAN_SETTING(Stem, Section, Key, Default, Param)          \
  bool Read##Stem() { return SettingsFile()->ReadBool(Section, Key, Default); } \
  void Write##Stem(bool value) { SettingsFile()->WriteBool(Section, Key, value); }
#define ROD_DEFINE_INTEGER_SETTING(Stem, Section, Key, Default, Param)                \
  int32_t Read##Stem() { return SettingsFile()->ReadInteger(Section, Key, Default); } \
  void Write##Stem(int32_t value) { SettingsFile()->WriteInteger(Section, Key, value); }
#define ROD_DEFINE_CHOICE_SETTING(Stem, Section, Key, Maximum, Param) \
  int32_t Read##Stem() { return ReadChoice(Section, Key, Maximum); }  \
  void Write##Stem(int32_t value) { SettingsFile()->WriteInteger(Section, Key, value); }
#define ROD_DEFINE_TEXT_SETTING(Stem, Section, Key, Param)                           \
  String Read##Stem() { return SettingsFile()->ReadString(Section, Key, String()); } \
  void Write##Stem(const String& value) { SettingsFile()->WriteString(Section, Key, value); }
#define ROD_DEFINE_DIVIDER_SETTING(Stem, Section, Key, Param) \
  String Read##Stem() { return ReadDivider(Section, Key); }   \
  void Write##Stem(const String& value) { WriteDivider(Section, Key, value); }
#define ROD_DEFINE_AUTOSAVE_SETTINGS(Section)                                             \
  String Read##Section##_Path() { return ReadAutoSavePath(#Section); }                    \
  void Write##Section##_Path(const String& value) { WriteAutoSavePath(#Section, value); } \
  int32_t Read##Section##_NumCopies() { return ReadAutoSaveNumCopies(#Section); }         \
  void Write##Section##_NumCopies(int32_t value) { WriteAutoSaveNumCopies(#Section, value); }

ROD_BOOLEAN_SETTINGS(ROD_DEFINE_BOOLEAN_SETTING)
ROD_INTEGER_SETTINGS(ROD_DEFINE_INTEGER_SETTING)
ROD_CHOICE_SETTINGS(ROD_DEFINE_CHOICE_SETTING)
ROD_TEXT_SETTINGS(ROD_DEFINE_TEXT_SETTING)
ROD_DIVIDER_SETTINGS(ROD_DEFINE_DIVIDER_SETTING)
ROD_AUTOSAVE_SECTIONS(ROD_DEFINE_AUTOSAVE_SETTINGS)

String ReadAutoSavePath(const String& section) {
  return ReadFolder(section, "Path", DefaultAutoSavePath, TTrailingDelimiter::Added);
}

void WriteAutoSavePath(const String& section, const String& value) {
  WriteFolder(section, "path", value, RootFolder);
}

int32_t ReadAutoSaveNumCopies(const String& section) {
  return SettingsFile()->ReadInteger(section, "NumCopies", kDefaultNumCopies);
}

void WriteAutoSaveNumCopies(const String& section, int32_t value) {
  SettingsFile()->WriteInteger(section, "NumCopies", value);
}

// ---------------------------------------------------------------------------------------------
// Settings with rules of their own

String ReadAutoSaveFolder() {
  return ReadFolder(kComSettings, "AutoSaveFolder", ReadFACT_AUTOSAVE_Path,
                    TTrailingDelimiter::AsStored);
}

void WriteAutoSaveFolder(const String& value) {
  WriteFolder(kComSettings, "AutoSaveFolder", value, RootFolder);
}

String ReadRepTmpltFldr() {
  return ReadFolder(kComSettings, "RepTmpltFldr", DefaultRepTmpltFldr,
                    TTrailingDelimiter::AsStored);
}

void WriteRepTmpltFldr(const String& value) {
  WriteFolder(kComSettings, "RepTmpltFldr", value, DefaultRepTmpltFldr);
}

String ReadRepTempFldr() {
  return ReadFolder(kComSettings, "RepTempFldr", DefaultRepTempFldr, TTrailingDelimiter::AsStored);
}

void WriteRepTempFldr(const String& value) {
  WriteFolder(kComSettings, "RepTempFldr", value, DefaultRepTempFldr);
}

String ReadLoadFolder() {
  return ReadFolder(kComSettings, "LoadFolder", ReadAutoSaveFolder, TTrailingDelimiter::Added);
}

void WriteLoadFolder(const String& value) {
  WriteFolder(kComSettings, "LoadFolder", value, RootFolder);
}

String ReadUnLoadFolder() {
  return ReadFolder(kComSettings, "UnLoadFolder", ReadAutoSaveFolder, TTrailingDelimiter::Added);
}

void WriteUnLoadFolder(const String& value) {
  WriteFolder(kComSettings, "UnLoadFolder", value, RootFolder);
}

bool ReadDbgCAN() { return SettingsFile()->ReadBool("DBG_SETTINGS", "CAN", false); }

String ReadEMailSendRepFldr() {
  return ReadFolder(kEMail, "SendRepFldr", DefaultSendRepFldr, TTrailingDelimiter::Added);
}

void WriteEMailSendRepFldr(const String& value) {
  WriteFolder(kEMail, "SendRepFldr", value, RootFolder);
}

// The settings file removes one pair of surrounding quotes when it reads a value.
String ReadEMailTxt() { return SettingsFile()->ReadString(kEMail, "Txt", String()); }

void WriteEMailTxt(const String& value) {
  SettingsFile()->WriteString(kEMail, "Txt", "\"" + value + "\"");
}

String ReadEMailWrd() {
  String stored = SettingsFile()->ReadString(kEMail, "Wrd", String());
  if (!IsHexForm(stored)) stored = RepairedPasswordForm(stored);
  return Cp1251ToUtf8(Scramble(FromHex(stored)));
}

void WriteEMailWrd(const String& value) {
  SettingsFile()->WriteString(kEMail, "Wrd", ToHex(Scramble(PasswordCodes(value))));
}

int32_t ReadScanerPort() {
  const String stored =
      SettingsFile()->ReadString(kScaner, "ScanerPort", "COM" + IntToStr(kDefaultScanerPort));
  return StrToIntDef(AfterCharacters(stored, 3), kDefaultScanerPort);
}

void WriteScanerPort(int32_t value) {
  SettingsFile()->WriteString(kScaner, "ScanerPort", "COM" + IntToStr(value));
}

TDateTime ReadKZKH_CertificateDate() {
  const int32_t packed =
      SettingsFile()->ReadInteger(kFactSettings, "KZKH_CertificateDate", kDefaultCertificateDate);
  try {
    return FileDateToDateTime(packed);
  } catch (const EConvertError&) {
    return FileDateToDateTime(kDefaultCertificateDate);
  }
}

void WriteKZKH_CertificateDate(TDateTime value) {
  SettingsFile()->WriteInteger(kFactSettings, "KZKH_CertificateDate", DateTimeToFileDate(value));
}

// ---------------------------------------------------------------------------------------------
// The table of parameters

#define ROD_BOOLEAN_ENTRY(Stem, Section, Key, Default, Param) \
  {Param, Section, Key, TBooleanSettingAccess{&Read##Stem, &Write##Stem}},
#define ROD_INTEGER_ENTRY(Stem, Section, Key, Default, Param) \
  {Param, Section, Key, TIntegerSettingAccess{&Read##Stem, &Write##Stem}},
#define ROD_TEXT_ENTRY(Stem, Section, Key, Param) \
  {Param, Section, Key, TStringSettingAccess{&Read##Stem, &Write##Stem}},
#define ROD_AUTOSAVE_ENTRIES(Section)                                    \
  {#Section "&Path", #Section, "Path",                                   \
   TStringSettingAccess{&Read##Section##_Path, &Write##Section##_Path}}, \
      {#Section "&NumCopies", #Section, "NumCopies",                     \
       TIntegerSettingAccess{&Read##Section##_NumCopies, &Write##Section##_NumCopies}},

const std::vector<TLocalSetting>& LocalSettings() {
  // clang-format off
  static const std::vector<TLocalSetting> settings = {
      ROD_BOOLEAN_SETTINGS(ROD_BOOLEAN_ENTRY)
      ROD_INTEGER_SETTINGS(ROD_INTEGER_ENTRY)
      ROD_CHOICE_SETTINGS(ROD_INTEGER_ENTRY)
      ROD_TEXT_SETTINGS(ROD_TEXT_ENTRY)
      ROD_DIVIDER_SETTINGS(ROD_TEXT_ENTRY)
      ROD_AUTOSAVE_SECTIONS(ROD_AUTOSAVE_ENTRIES)
      {"COM_SETTINGS&AutoSaveFolder", kComSettings, "AutoSaveFolder",
       TStringSettingAccess{&ReadAutoSaveFolder, &WriteAutoSaveFolder}},
      {"COM_SETTINGS&RepTmpltFldr", kComSettings, "RepTmpltFldr",
       TStringSettingAccess{&ReadRepTmpltFldr, &WriteRepTmpltFldr}},
      {"COM_SETTINGS&RepTempFldr", kComSettings, "RepTempFldr",
       TStringSettingAccess{&ReadRepTempFldr, &WriteRepTempFldr}},
      {"COM_SETTINGS&LoadFolder", kComSettings, "LoadFolder",
       TStringSettingAccess{&ReadLoadFolder, &WriteLoadFolder}},
      {"COM_SETTINGS&UnLoadFolder", kComSettings, "UnLoadFolder",
       TStringSettingAccess{&ReadUnLoadFolder, &WriteUnLoadFolder}},
      {"E-MAIL&SendRepFldr", kEMail, "SendRepFldr",
       TStringSettingAccess{&ReadEMailSendRepFldr, &WriteEMailSendRepFldr}},
      {"E-MAIL&Txt", kEMail, "Txt", TStringSettingAccess{&ReadEMailTxt, &WriteEMailTxt}},
      {"E-MAIL&Wrd", kEMail, "Wrd", TStringSettingAccess{&ReadEMailWrd, &WriteEMailWrd}},
      {"SCANER&Scaner_Port", kScaner, "ScanerPort",
       TIntegerSettingAccess{&ReadScanerPort, &WriteScanerPort}},
      {"FACT_SETTINGS&KZKH_CertificateDate", kFactSettings, "KZKH_CertificateDate",
       TDateSettingAccess{&ReadKZKH_CertificateDate, &WriteKZKH_CertificateDate}},
  };
  // clang-format on
  return settings;
}

const TLocalSetting* FindLocalSetting(const String& paramName) {
  for (const TLocalSetting& setting : LocalSettings())
    if (SameText(setting.ParamName, paramName)) return &setting;
  return nullptr;
}
