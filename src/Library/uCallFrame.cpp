#include "src/Library/uCallFrame.h"

#include <unordered_map>

#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComUnits/uComFormGFG.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ComUnits/uLocalSettings.h"
#include "src/ComUnits/uVRXRes.h"

namespace {

// The library's life: started by the first exported call (the host has named its folders by
// then), ended when the library unloads.
class TLibraryLife {
 public:
  TLibraryLife() {
    OpenSettingsFile();
    LoadVRXRes();
    OpenComFormGFG();
    // The grid tools are bound now, as the original imports two of their routines.
    GetComFormLibProc("ShowFileList1");
  }
  ~TLibraryLife() {
    CloseComFormGFG();
    CloseSettingsFile();
    FreeVRXRes();
  }
  TLibraryLife(const TLibraryLife&) = delete;
  TLibraryLife& operator=(const TLibraryLife&) = delete;
};

// One text per key value, the same for a row's field and an item's value: numbers by value,
// everything else by its text.
String KeyPart(const TField* field, const Variant& value) {
  if (VarIsNull(value)) return String("\x01", 1);
  return field->Is<TNumericField>() ? FloatToStr(value.AsDouble()) : value.AsString();
}

String RowKey(const std::vector<TField*>& fields) {
  String key;
  for (const TField* field : fields) key += KeyPart(field, field->AsVariant()) + '\x1f';
  return key;
}

// Empty for an item with fewer values than there are key fields: it matches no row.
String ItemKey(const std::vector<TField*>& fields, const TDBItem* item) {
  if (!VarIsArray(item->Values)) {
    return fields.size() == 1 ? KeyPart(fields[0], item->Values) + '\x1f' : String();
  }
  const int count = VarArrayHighBound(item->Values) - VarArrayLowBound(item->Values) + 1;
  if (count < static_cast<int>(fields.size())) return String();
  String key;
  for (size_t i = 0; i < fields.size(); ++i) {
    const int index = VarArrayLowBound(item->Values) + static_cast<int>(i);
    key += KeyPart(fields[i], item->Values.GetElement(index)) + '\x1f';
  }
  return key;
}

}  // namespace

void StartLibrary() { static TLibraryLife life; }

void CheckAssignedItem(const TDBItem* item) {
  if (!item) throw Exception("RodODOriv: Item = nil");
}

std::vector<String> MarkHostRows(TDataSet* dataSet, const TDBItemList* chosen,
                                 const String& keyFields, const String& checkFieldName,
                                 const std::function<void(TField*)>& mark) {
  std::vector<TField*> fields;
  TStringList* names = TStringList::Create();
  FreeOnExit freeNames(names);
  names->SetDelimiter(';');
  names->SetStrictDelimiter(true);
  names->SetDelimitedText(keyFields);
  for (int i = 0; i < names->Count(); ++i)
    fields.push_back(dataSet->FieldByName(Trim(names->Strings(i))));
  TField* checkField = dataSet->FieldByName(checkFieldName);

  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  std::unordered_map<String, TBookmark> rows;
  rows.reserve(static_cast<size_t>(dataSet->RecordCount()));
  for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
    rows.try_emplace(RowKey(fields), dataSet->GetBookmark());

  std::vector<String> notFound;
  for (int i = 0; i < chosen->Count(); ++i) {
    const TDBItem* item = chosen->Items(i);
    const String key = ItemKey(fields, item);
    const auto row = key.empty() ? rows.end() : rows.find(key);
    if (row == rows.end()) {
      notFound.push_back(item->Name);
      continue;
    }
    dataSet->GotoBookmark(row->second);
    mark(checkField);
  }
  return notFound;
}
