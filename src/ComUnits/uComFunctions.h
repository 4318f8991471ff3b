// Small routines every part of the library shares: message boxes by kind, the operator's break,
// clean file names, the debug switch and the name of this library's module.
#pragma once

#include <vector>

#include "platform/rtl/Event.h"
#include "platform/rtl/Object.h"

class TObject;
class TWinControl;

// Message boxes with an OK button. The box belongs to Window when it is visible, otherwise to
// the active window. Kind chooses the style: 0 warning, modal to the task; 1 error, modal to the
// task and on top of every window; 2 information; anything else error.
void ShowMessageBox(TWinControl* window, const String& text, const String& caption, int kind);
void ShowMessageBox(const String& text, const String& caption, int kind);
// The same with the caption of the kind: 0 confirmation, 1 error, 2 notification, 3
// confirmation with an information icon on top of every window; other kinds have no caption and
// an error icon.
void ShowKindMessage(TWinControl* window, const String& text, int kind);
void ShowKindMessage(const String& text, int kind);

// Raises Exception(text) when the object is missing.
void CheckAssigned(const void* object, const String& text);

inline constexpr const char* UserBreakText = "user break";
// The operator's cancel of a long operation: ends it quietly wherever it is caught.
[[noreturn]] void RaiseUserBreak();
bool IsUserBreak(const Exception& error);

// The file-name part of Path with every character that a file name cannot hold (CR, blank,
// double quote, *, /, :, <, >, ?, [, ], \, |) replaced by "_"; the folder part is kept as it is.
String MakeValidFileName(const String& path);

// True when "Debug.ini" exists in the host program's folder.
bool IsDebugMode();

// The full path of this library's own module (the program's when it is linked in).
String GetModuleFileName();

// Check marks. A marked row holds "+" in a string check field, 1 in an integer or float one,
// true in a Boolean one; anything else (NULL, another text or number, a field of another type)
// reads as unmarked. Field must be given (assertions "TBaseForm.GetCheckFldValue: pFld=nil" and
// "TBaseForm.SetCheckFldValue: pFld=nil").
class TField;
class TDataSet;
bool GetCheckFldValue(TField* field);
// Writes the mark ("+"/"-", 1/0, true/false) unless the row already has that state. A dataset in
// edit or insert state only gets the field set; otherwise it is edited and posted around the
// write; when the write or the post fails, the edit is cancelled before the error goes on. A
// dataset without rows is left alone (editing it would append a row only to hold the mark). A
// field of another type cannot take a mark: marking it raises Exception. With [COM_SETTINGS]
// StoreSelect on, a written change is mirrored to the server (MirrorMark).
void SetCheckFldValue(TField* field, bool value);
// Mirrors a mark change into the schema's TEMP_SELECT_PACK for an Oracle query that has the
// field ROWID_QUERY and the macro GUID_SERVICE; other datasets are left alone. The schema is the
// query's Shema macro (the session user's own schema when it has none). A failing call is shown
// in an error box and the mark stays.
void MirrorMark(TDataSet* dataSet, bool value);

// Function access: the entries a window registered, each switched on or off by one character of
// the access-mode text.
using TAccessHandler = Event<void(bool allowed)>;
class TAccessList : public TObject {
  RTL_CLASS(TAccessList, TObject)
 public:
  void Construct() {}
  int Count() const;
  // Assertion "uComFunctions;TAccessList.GetItems: Incorrect index: i = <index>" outside
  // 0..Count-1.
  TAccessHandler GetItems(int index) const;
  // Appends an entry; an empty handler is kept too (applying the access text then fails on it).
  void Add(const TAccessHandler& handler);

 protected:
  TAccessList() = default;

 private:
  std::vector<TAccessHandler> FItems;
};
