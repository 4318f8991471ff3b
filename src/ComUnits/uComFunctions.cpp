#include "src/ComUnits/uComFunctions.h"

#include "platform/db/DataSet.h"
#include "platform/ora/OraDataSet.h"
#include "platform/ora/OraPackage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "src/ComUnits/uLocalSettings.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

namespace {

uint32_t MessageBoxStyle(int kind) {
  switch (kind) {
    case 0:
      return MB_ICONWARNING | MB_TASKMODAL;
    case 1:
      return MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST;
    case 2:
      return MB_ICONINFORMATION;
    default:
      return MB_ICONERROR;
  }
}

HWND BoxOwner(TWinControl* window) {
  if (window && window->Visible()) return window->Handle();
  TCustomForm* active = Screen ? Screen->ActiveForm() : nullptr;
  return active ? active->Handle() : 0;
}

void ShowBox(TWinControl* window, const String& text, const String& caption, uint32_t style) {
  MessageBox(BoxOwner(window), text, TranslateAplText(caption), MB_OK | style);
}

void ShowKindBox(TWinControl* window, const String& text, int kind) {
  switch (kind) {
    case 0:
    case 1:
    case 2:
      ShowBox(window, text, kind == 0 ? rstrConfirmation : kind == 1 ? rstrError : rstrNotification,
              MessageBoxStyle(kind));
      break;
    case 3:
      ShowBox(window, text, rstrConfirmation, MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST);
      break;
    default:
      ShowBox(window, text, String(), MB_ICONERROR);
  }
}

bool IsFileNameForbidden(char c) {
  switch (c) {
    case '\r':
    case ' ':
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '[':
    case ']':
    case '\\':
    case '|':
      return true;
    default:
      return false;
  }
}

// How a check field holds its mark.
enum class TMarkKind { Text, Integer, Float, Boolean, None };

TMarkKind MarkKindOf(const TField* field) {
  switch (field->DataType()) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
      return TMarkKind::Text;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      return TMarkKind::Integer;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
      return TMarkKind::Float;
    case ftBoolean:
      return TMarkKind::Boolean;
    default:
      return TMarkKind::None;
  }
}

// The value that holds the mark in the field.
Variant MarkValue(const TField* field, bool value) {
  switch (MarkKindOf(field)) {
    case TMarkKind::Text:
      return value ? "+" : "-";
    case TMarkKind::Integer:
      return value ? 1 : 0;
    case TMarkKind::Float:
      return value ? 1.0 : 0.0;
    case TMarkKind::Boolean:
      return Variant(value);
    case TMarkKind::None:
      break;
  }
  throw Exception("TBaseForm.SetCheckFldValue: field \"" + field->FieldName() + "\" of type " +
                  FieldTypeName(field->DataType()) + " cannot hold a check mark");
}

// Writes the mark in a browsing dataset: edit, write, post; on any failure the edit is
// cancelled, so the row and the state are as they were.
void EditAndWriteMark(TDataSet* dataSet, TField* field, const Variant& mark) {
  dataSet->Edit();
  try {
    field->SetValue(mark);
    dataSet->Post();
  } catch (...) {
    dataSet->Cancel();
    throw;
  }
}

// The query whose marks go to the server, or nullptr when the dataset does not take part.
TCustomOraQuery* MirroredQuery(TDataSet* dataSet) {
  auto* query =
      dataSet && dataSet->Is<TCustomOraQuery>() ? static_cast<TCustomOraQuery*>(dataSet) : nullptr;
  if (!query || !query->FindField("ROWID_QUERY") || !query->FindMacro("GUID_SERVICE"))
    return nullptr;
  return query;
}

String MirrorPackageName(const TCustomOraQuery* query) {
  const TMacro* schema = query->FindMacro("Shema");
  const String owner = schema ? Trim(schema->Value()) : String();
  return owner.empty() ? "TEMP_SELECT_PACK" : owner + ".TEMP_SELECT_PACK";
}

void CallMirror(TCustomOraQuery* query, const String& procedure) {
  FreeOnExit<TOraPackage> package(TOraPackage::Create(nullptr));
  package->SetSession(query->Session());
  package->SetPackageName(MirrorPackageName(query));
  package->ExecProc(procedure, {query->MacroByName("GUID_SERVICE")->Value(), query->Name(),
                                query->FieldByName("ROWID_QUERY")->Value()});
}

String MirrorErrorText(const String& procedure, const String& message) {
  return "uComFunctions.Set_ORDER_LINES_REPORT: Error execution TEMP_SELECT_PACK." + procedure +
         ":\r\n" + Trim(message) + "\r\n\"" + SettingsIniName + "\": [COM_SETTINGS] StoreSelect=1";
}

}  // namespace

void ShowMessageBox(TWinControl* window, const String& text, const String& caption, int kind) {
  ShowBox(window, text, caption, MessageBoxStyle(kind));
}

void ShowMessageBox(const String& text, const String& caption, int kind) {
  ShowMessageBox(nullptr, text, caption, kind);
}

void ShowKindMessage(TWinControl* window, const String& text, int kind) {
  ShowKindBox(window, text, kind);
}

void ShowKindMessage(const String& text, int kind) { ShowKindBox(nullptr, text, kind); }

void CheckAssigned(const void* object, const String& text) {
  if (!object) throw Exception(text);
}

void RaiseUserBreak() { throw Exception(UserBreakText); }

bool IsUserBreak(const Exception& error) {
  return SameText(error.Message(), UserBreakText) || String(error.ClassName()) == "ETerminated";
}

String MakeValidFileName(const String& path) {
  const String folder = ExtractFilePath(path);
  String name = path.substr(folder.size());
  for (char& c : name)
    if (IsFileNameForbidden(c)) c = '_';
  return folder + name;
}

bool IsDebugMode() { return FileExists(HostProgramFolder() + "Debug.ini"); }

String GetModuleFileName() {
  return ModuleFileName(reinterpret_cast<const void*>(&GetModuleFileName));
}

// ---------------------------------------------------------------------------------------------
// Check marks

bool GetCheckFldValue(TField* field) {
  Assert(field != nullptr, "TBaseForm.GetCheckFldValue: pFld=nil");
  switch (MarkKindOf(field)) {
    case TMarkKind::Text:
      return field->AsString() == "+";
    case TMarkKind::Integer:
      return field->AsLargeInt() == 1;
    case TMarkKind::Float:
      return field->AsFloat() == 1.0;
    case TMarkKind::Boolean:
      return field->AsBoolean();
    case TMarkKind::None:
      break;
  }
  return false;
}

void SetCheckFldValue(TField* field, bool value) {
  Assert(field != nullptr, "TBaseForm.SetCheckFldValue: pFld=nil");
  if (GetCheckFldValue(field) == value) return;
  const Variant mark = MarkValue(field, value);
  TDataSet* dataSet = field->DataSet();
  CheckAssigned(dataSet, "TBaseForm.SetCheckFldValue: pFld.DataSet=nil");
  if (dataSet->State() == dsEdit || dataSet->State() == dsInsert) {
    field->SetValue(mark);
  } else {
    if (dataSet->Active() && dataSet->IsEmpty()) return;
    EditAndWriteMark(dataSet, field, mark);
  }
  if (ReadStoreSelect()) MirrorMark(dataSet, value);
}

void MirrorMark(TDataSet* dataSet, bool value) {
  TCustomOraQuery* query = MirroredQuery(dataSet);
  if (!query) return;
  const String procedure = value ? "INS_ORDER_LINES_REPORT" : "DEL_ORDER_LINES_REPORT";
  try {
    CallMirror(query, procedure);
  } catch (const Exception& error) {
    // The mark stays in the list: the operator is told why the server did not follow.
    ShowMessageBox(MirrorErrorText(procedure, error.Message()), "Error", 2);
  }
}

// ---------------------------------------------------------------------------------------------
// TAccessList

RTL_CLASS_IMPL(TAccessList, TObject)

int TAccessList::Count() const { return static_cast<int>(FItems.size()); }

TAccessHandler TAccessList::GetItems(int index) const {
  if (index < 0 || index >= Count())
    AssertionFailed("uComFunctions;TAccessList.GetItems: Incorrect index: i = " + IntToStr(index));
  return FItems[static_cast<size_t>(index)];
}

void TAccessList::Add(const TAccessHandler& handler) { FItems.push_back(handler); }
