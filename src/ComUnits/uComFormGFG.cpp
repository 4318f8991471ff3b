#include "src/ComUnits/uComFormGFG.h"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ora/OraDataSet.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Text.h"
#include "platform/ui/StdCtrls.h"
#include "src/ComUnits/uComFunctions.h"

namespace {

const char* const kOrderBySection = "OrderBy";
const char* const kSettingsSection = "Settings";
const char* const kDefinitionSuffix = "_def";
const char* const kOrderMacro = "ORDER";
const char* const kFieldMacro = "FIELD";

// ---------------------------------------------------------------------------------------------
// The file

struct TIniFileFree {
  void operator()(TIniFile* file) const { file->Free(); }
};

std::unique_ptr<TIniFile, TIniFileFree>& OpenedFile() {
  static std::unique_ptr<TIniFile, TIniFileFree> file;
  return file;
}

String ComFormGFGPath() { return HostProgramFolder() + ComFormGFGIniName; }

TIniFile* ComFormGFG() {
  auto& file = OpenedFile();
  if (!file || file->FileName() != ComFormGFGPath()) OpenComFormGFG();
  return file.get();
}

bool ReadExisting(const String& section, const String& key, String& value) {
  TIniFile* file = ComFormGFG();
  if (!file->ValueExists(section, key)) return false;
  value = file->ReadString(section, key, String());
  return true;
}

// ---------------------------------------------------------------------------------------------
// Sections and keys

// A module named with its folder is taken by its file name: the folder is no part of the name.
String ModuleName(const String& module) {
  return ExtractFileName(module.empty() ? GetModuleFileName() : module);
}

String ModuleSection(const String& schema, const String& module, const char* part) {
  return AnsiUpperCase(schema) + "/" + ModuleName(module) + "/" + part;
}

String OrderBySection(const String& schema) {
  return ModuleSection(schema, String(), kOrderBySection);
}

String SettingsSection(const String& schema, const String& module) {
  return ModuleSection(schema, module, kSettingsSection);
}

String SettingKey(const String& prefix, const String& key) {
  return prefix.empty() ? key : prefix + "/" + key;
}

String DefinitionKey(const String& key) { return key + kDefinitionSuffix; }

// ---------------------------------------------------------------------------------------------
// Typed settings

// The text a value is stored as; nothing for a value of no storable kind.
std::optional<String> StoredText(const Variant& value) {
  if (VarIsStr(value)) return value.AsString();
  if (VarType(value) == varDate) return DateTimeToStr(value.AsDateTime());
  if (VarType(value) == varBoolean) return String(value.AsBoolean() ? "1" : "0");
  // Integers in full: the float form would keep only 15 digits of a large one.
  if (VarIsOrdinal(value)) return IntToStr(value.AsInt64());
  if (VarIsFloat(value)) return FloatToStr(value.AsDouble(), '.');
  return std::nullopt;
}

void ReportUnstorableValue(const String& section, const String& key) {
  ShowMessageBox("uComFormGFG.SetSetting:\r\nSection: " + section + "\r\nKey: " + key +
                     "\r\nIncorrect type of written value",
                 "Error", 1);
}

TDateTime DatePart(TDateTime value) { return std::trunc(value); }
TDateTime TimePart(TDateTime value) { return value - std::trunc(value); }

Variant ConvertedTo(const Variant& value, TSettingKind kind) {
  switch (kind) {
    case skString:
      return VarAsType(value, varOleStr);
    case skBoolean:
      return VarAsType(value, varBoolean);
    case skInteger:
      return VarAsType(value, varInteger);
    case skInt64:
      return VarAsType(value, varInt64);
    case skFloat:
      return VarAsType(value, varDouble);
    case skDateTime:
      return VarAsType(value, varDate);
    case skDate:
      return VarFromDateTime(DatePart(value.AsDateTime()));
    case skTime:
      break;
  }
  return VarFromDateTime(TimePart(value.AsDateTime()));
}

[[noreturn]] void RaiseUnreadableValue(const String& section, const String& key, const String& text,
                                       const Exception& error) {
  throw Exception("uComFormGFG.GetSetting\nсекция: " + section + "\nключ: " + key +
                  "\nНеверный тип считываемого значения: <" + text +
                  ">\nОшибка:" + Trim(error.Message()));
}

// ---------------------------------------------------------------------------------------------
// Check boxes

template <class F>
void ForEachCheckBox(TGroupBox* groupBox, F&& action) {
  for (int i = 0; i < groupBox->ControlCount(); ++i)
    if (auto* box = dynamic_cast<TCheckBox*>(groupBox->Controls(i))) action(box);
}

String CheckBoxKey(TGroupBox* groupBox, TCheckBox* box) {
  return groupBox->Name() + "." + box->Name();
}

// ---------------------------------------------------------------------------------------------
// Saved orderings

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// An unquoted SQL identifier: a letter or "_" first, then letters, digits, "_", "$" or "#".
// The keyword DESC is no column.
bool IsPlainColumnName(const String& word) {
  if (word.empty() || SameText(word, "DESC")) return false;
  if (!IsAsciiLetter(word[0]) && word[0] != '_') return false;
  for (char c : word)
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_' && c != '$' && c != '#') return false;
  return true;
}

std::vector<String> SplitAtCommas(const String& text) {
  std::vector<String> items(1);
  for (char c : text) {
    if (c == ',')
      items.emplace_back();
    else
      items.back() += c;
  }
  return items;
}

std::vector<String> BlankSeparatedWords(const String& text) {
  std::vector<String> words;
  bool inWord = false;
  for (char c : text) {
    if (IsBlank(c)) {
      inWord = false;
      continue;
    }
    if (!inWord) words.emplace_back();
    words.back() += c;
    inWord = true;
  }
  return words;
}

// The column of one item of an ordering ("NAME" or "NAME DESC"); nothing for any other item.
std::optional<String> OrderedColumn(const String& item) {
  const std::vector<String> words = BlankSeparatedWords(item);
  const bool plain = words.size() == 1 || (words.size() == 2 && SameText(words[1], "DESC"));
  if (!plain || !IsPlainColumnName(words[0])) return std::nullopt;
  return words[0];
}

// The names of the query's fields joined with commas, upper-cased; the columns of its last
// opening when it has no fields.
String JoinedFieldNames(TOraDataSet* query) {
  std::vector<String> names;
  if (query->FieldCount() > 0) {
    for (TField* field : *query->Fields()) names.push_back(field->FieldName());
  } else {
    for (int i = 0; i < query->FieldDefs()->Count(); ++i)
      names.push_back(query->FieldDefs()->Items(i).Name);
  }
  String joined;
  for (const String& name : names) joined += (joined.empty() ? "" : ",") + name;
  return AnsiUpperCase(joined);
}

// The first item of a saved ordering that cannot go into the query's statement, as it is to be
// reported; nothing when every item can.
std::optional<String> FirstUnusableItem(const String& ordering, TOraDataSet* query) {
  if (ordering.empty()) return std::nullopt;
  const String fieldNames = JoinedFieldNames(query);
  for (const String& rawItem : SplitAtCommas(ordering)) {
    const String item = Trim(rawItem);
    const std::optional<String> column = OrderedColumn(item);
    if (!column) return item;
    if (Pos(AnsiUpperCase(*column), fieldNames) == 0) return *column;
  }
  return std::nullopt;
}

void ApplyOrdering(TOraDataSet* query, const String& ordering) {
  const bool wasOpen = query->Active();
  if (wasOpen) query->Close();
  TMacro* field = query->MacroByName(kFieldMacro);
  field->SetValue(ordering);
  field->SetActive(!ordering.empty());
  query->MacroByName(kOrderMacro)->SetActive(!ordering.empty());
  if (wasOpen) query->Open();
}

uint32_t SqlChecksum(const String& sqlText) {
  const String codes = Utf8ToCp1251(sqlText);
  uint32_t checksum = 0;
  for (size_t i = 0; i < codes.size(); ++i)
    checksum ^= static_cast<uint32_t>(i + 1) + static_cast<unsigned char>(codes[i]);
  return checksum;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The file

void OpenComFormGFG() { OpenedFile().reset(TIniFile::Create(ComFormGFGPath())); }

void CloseComFormGFG() { OpenedFile().reset(); }

// ---------------------------------------------------------------------------------------------
// Typed settings

void SetSetting(const String& schema, const String& prefix, const String& key, const String& module,
                const Variant& value) {
  const String section = SettingsSection(schema, module);
  const String fullKey = SettingKey(prefix, key);
  const std::optional<String> text = StoredText(value);
  if (!text) {
    ReportUnstorableValue(section, fullKey);
    return;
  }
  ComFormGFG()->WriteString(section, fullKey, *text);
}

void GetSetting(const String& schema, const String& prefix, const String& key, Variant& result,
                const String& module, TSettingKind kind, const Variant& defaultValue) {
  const String section = SettingsSection(schema, module);
  const String fullKey = SettingKey(prefix, key);
  const String text = ComFormGFG()->ReadString(section, fullKey, String());
  FormatSettingsGuard restoreSeparator;
  FormatSettings.DecimalSeparator = '.';
  try {
    result = ConvertedTo(text.empty() ? defaultValue : Variant(text), kind);
  } catch (const Exception& error) {
    RaiseUnreadableValue(section, fullKey, text, error);
  }
}

void SaveCheckBoxes(const String& schema, const String& windowName, TGroupBox* groupBox) {
  ForEachCheckBox(groupBox, [&](TCheckBox* box) {
    SetSetting(schema, windowName, CheckBoxKey(groupBox, box), String(),
               Variant(box->Checked() ? "True" : "False"));
  });
}

void LoadCheckBoxes(const String& schema, const String& windowName, TGroupBox* groupBox) {
  ForEachCheckBox(groupBox, [&](TCheckBox* box) {
    Variant checked;
    GetSetting(schema, windowName, CheckBoxKey(groupBox, box), checked, String(), skBoolean,
               Variant(box->Checked()));
    box->SetChecked(checked.AsBoolean());
    if (box->Checked() && box->OnClick) box->OnClick(box);
  });
}

// ---------------------------------------------------------------------------------------------
// Orderings

void WriteDefOrder(const String& schema, const String& key, const String& value) {
  WriteOrder(schema, DefinitionKey(key), value);
}

bool ReadDefOrder(const String& schema, const String& key, String& value) {
  return ReadOrder(schema, DefinitionKey(key), value);
}

void DeleteDefOrder(const String& schema, const String& key) {
  DeleteOrder(schema, DefinitionKey(key));
}

void WriteOrder(const String& schema, const String& key, const String& value) {
  ComFormGFG()->WriteString(OrderBySection(schema), key, value);
}

bool ReadOrder(const String& schema, const String& key, String& value) {
  return ReadExisting(OrderBySection(schema), key, value);
}

void DeleteOrder(const String& schema, const String& key) {
  ComFormGFG()->DeleteKey(OrderBySection(schema), key);
}

bool IsOrderSaving(const String& schema) {
  return ComFormGFG()->ReadBool(UpperCase(schema) + "_ORDERBY", "SAVE", true);
}

bool TakesPartInOrdering(TOraDataSet* query) {
  const TMacro* order = query->FindMacro(kOrderMacro);
  return order && query->FindMacro(kFieldMacro) && SameText(order->Value().substr(0, 5), "ORDER");
}

String QueryOrderKey(TComponent* window, TOraDataSet* query) {
  const String ownerPart = query->Owner() ? window->Name() + "." : String();
  return ownerPart + query->Name() + "." +
         Format("%.4x", {static_cast<unsigned>(SqlChecksum(query->SQL()->Text()))});
}

void RestoreQueryOrderOf(const String& schema, const String& key, TOraDataSet* query,
                         const TOrderNotFoundHandler& notFound) {
  if (!TakesPartInOrdering(query)) return;
  WriteDefOrder(schema, key, query->MacroByName(kFieldMacro)->Value());
  String saved;
  if (!ReadOrder(schema, key, saved)) return;
  if (const std::optional<String> unusable = FirstUnusableItem(saved, query)) {
    // Dropped before the report: a report that fails must not leave the bad ordering to fail
    // again at every opening.
    DeleteOrder(schema, key);
    notFound(query->Name() + "." + *unusable);
    return;
  }
  ApplyOrdering(query, saved);
}

void SaveQueryOrderOf(const String& schema, const String& key, TOraDataSet* query) {
  if (!TakesPartInOrdering(query)) return;
  String design;
  if (!ReadDefOrder(schema, key, design)) return;
  const String current = query->MacroByName(kFieldMacro)->Value();
  if (current != design)
    WriteOrder(schema, key, current);
  else
    DeleteOrder(schema, key);
  DeleteDefOrder(schema, key);
}
