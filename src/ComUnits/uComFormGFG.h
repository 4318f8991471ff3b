// The orderings file "ComFormGFG.INI" in the host program's folder: the ORDER BY of every list
// query, remembered per schema, window and query between runs, and typed window settings (groups
// of check boxes) kept beside them.
//
// Sections (S the schema, M the file name of this library's module):
//   <SCHEMA>_ORDERBY     SAVE=1/0: whether orderings of the schema are restored and saved (absent
//                        means yes). The schema is upper-cased in ASCII only here.
//   S/M/OrderBy          <query key>=the saved FIELD value, <query key>_def=the design value while
//                        a window holding the query is open.
//   S/M/Settings         <window>/<setting>=a typed setting.
// In the S/M sections the schema is upper-cased Unicode-aware.
//
// The file is read and written through TIniFile: nothing is cached, every write is in the file at
// once and replaces it in one step. A file that cannot be read reads as empty; a write that
// cannot be done raises EIniFileException and leaves the old file as it was.
#pragma once

#include <functional>

#include "platform/rtl/Variant.h"

class TComponent;
class TGroupBox;
class TOraDataSet;

inline constexpr const char* ComFormGFGIniName = "ComFormGFG.INI";

// The library's start opens the file and its stop closes it; the routines below open it on first
// use too, and again when the host folder has changed since.
void OpenComFormGFG();
void CloseComFormGFG();

// ---------------------------------------------------------------------------------------------
// Typed settings

enum TSettingKind { skString, skBoolean, skInteger, skInt64, skFloat, skDateTime, skDate, skTime };

// Writes Value under Prefix + "/" + Key (Key alone when Prefix is empty) in the Settings section
// of the schema and of Module (this library's module when empty; a folder part is ignored).
// Texts are stored as they are, date-times as the locale's date-time text, Booleans as "1"/"0",
// numbers with "." as the decimal separator (integers in full, fractions in the general float
// form). Any other value (empty, Null, an array) is refused with an error box and nothing is
// written.
void SetSetting(const String& schema, const String& prefix, const String& key, const String& module,
                const Variant& value);
// Reads the same key as a value of Kind: an empty or absent value gives Default converted to
// Kind. Conversions run with "." as the decimal separator (the previous one is restored, also on
// error); a text that does not convert raises Exception naming section, key, the text read and
// the conversion error.
void GetSetting(const String& schema, const String& prefix, const String& key, Variant& result,
                const String& module, TSettingKind kind, const Variant& defaultValue);

// The check boxes placed directly on the group box, as settings of the window: key
// <group box>.<check box> with the window's name as prefix. Saving writes "True"/"False".
// Loading keeps a box whose key is absent as it is, and calls the click handler of every box
// that is ticked afterwards, so that what the box switches on is applied even when its state
// did not change.
void SaveCheckBoxes(const String& schema, const String& windowName, TGroupBox* groupBox);
void LoadCheckBoxes(const String& schema, const String& windowName, TGroupBox* groupBox);

// ---------------------------------------------------------------------------------------------
// Orderings

// <key>_def: the design ordering of a query while its window is open.
void WriteDefOrder(const String& schema, const String& key, const String& value);
bool ReadDefOrder(const String& schema, const String& key, String& value);
void DeleteDefOrder(const String& schema, const String& key);
// <key>: the ordering the operator chose.
void WriteOrder(const String& schema, const String& key, const String& value);
bool ReadOrder(const String& schema, const String& key, String& value);
void DeleteOrder(const String& schema, const String& key);
// The schema's SAVE switch; true when absent.
bool IsOrderSaving(const String& schema);

// A query takes part in ordering when its text has the macros ORDER and FIELD and the value of
// ORDER begins with "ORDER" (any letter case).
bool TakesPartInOrdering(TOraDataSet* query);
// "<window>.<query>.<checksum>" ("<query>.<checksum>" for a query without owner; a window's
// queries are owned by the window). The checksum runs over the Windows-1251 codes of the SQL
// text (each line followed by CR LF, macros not expanded): starting from 0, the value at each
// position i (from 1) is XORed with i + the code; it is written as at least four upper-case
// hexadecimal digits. A query whose text changes thus gets a new key.
String QueryOrderKey(TComponent* window, TOraDataSet* query);

// Called when a saved ordering cannot be used, with "<query>.<item>".
using TOrderNotFoundHandler = std::function<void(const String& name)>;

// At window creation, for a query that takes part in ordering: the design FIELD value is noted
// under <key>_def, and a saved ordering replaces it. The saved text goes into the statement, so
// every comma-separated item must be a plain column name, optionally followed by DESC, that
// occurs in the comma-joined names of the query's fields (letter case ignored; the fields, or
// the columns the query last had when it has no fields). The first item that fails drops the
// saved ordering, is reported to notFound, and the query keeps its design ordering. An empty saved
// ordering switches both macros off: no ORDER BY at all. An open query is closed and reopened
// around the change.
void RestoreQueryOrderOf(const String& schema, const String& key, TOraDataSet* query,
                         const TOrderNotFoundHandler& notFound);
// At window closing, for a query that takes part in ordering and whose design value was noted:
// the current FIELD value is saved when it differs from the design value (exactly) and dropped
// when it is the design value again; the design value is then removed, so a second pass saves
// nothing.
void SaveQueryOrderOf(const String& schema, const String& key, TOraDataSet* query);
