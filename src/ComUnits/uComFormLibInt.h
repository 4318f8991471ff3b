// The grid tools library (libComFormLibs.so): find, sort, filter and report dialogs, the mark
// operations, the wait, list and progress windows. The library is loaded from the running
// program's folder on first use and released when this library unloads; each call below
// resolves its procedure by name there. While it is loaded, the library lets the headless
// operator's scripts run its tools ("sort", "filter", "find" steps).
//
// Errors: a missing file raises "uComFormLibInt.LoadLib: "<path>" library is not found"; a
// failed load raises the system's error; a missing procedure fails the assertion
// "uComFormLibInt: "<name>" procedure not found in ComFormLibs.dll".
#pragma once

#include "platform/rtl/Strings.h"
#include "src/ComFormLibs/uComFormLibTypes.h"
#include "src/ComUnits/uDBGridInt.h"

class TDataSet;

// Sorting (Oracle queries only): the operator chooses the columns; they go into the FIELD macro
// and the query is reopened.
void _SortDBGridB(TDataSet* dataSet, const String& caption);
// Finding: fieldIndex in is the grid's selected field, out the field to select; the dataset
// moves to the first row whose field matches.
void _FindByDBGridExB(TDataSet* dataSet, const String& caption, int& fieldIndex);
// Filtering on the server: state in is the main query's filter flag (0, 1) or 2 for any other
// query; out 1 when the main query is filtered. "((1=1)aNd(1=1))" or empty means no filter.
void _FilterByDBGridD(int& state, IDBGrid* grid, const String& caption);
// A printable file of the master rows (and, when given, each one's detail rows), opened through
// the platform's document opening.
void GridReport(TDataSet* master, TDataSet* detail, const String& masterCaption,
                const String& detailCaption, const String& title);

// The mark operations over the rows that pass the dataset's filter, with the dataset's controls
// disabled. Modes: 0 mark all, 1 clear all, 3 invert. flag true brings the cursor back to the
// row that was current; false leaves it on the first row, as a list freshly opened. RSelect
// always brings it back. RunMySelect: handler decides which rows take part (all without it),
// handler2 hears of every row whose mark changed.
void RSelect(TDataSet* dataSet, int mode, const String& checkFieldName);
void RunSelectDS(TDataSet* dataSet, int mode, const String& checkFieldName, bool flag);
void RunSelectGrid(IDBGrid* grid, int mode, const String& checkFieldName, bool flag);
void RunMySelect(TDataSet* dataSet, int mode, const TMySelectNotifyEvent& handler2,
                 const TMySelectFilterEvent& handler, const String& checkFieldName, bool flag);

// A wait window; freeing the object closes it.
TObject* ShowGIF(const String& text);
// A window listing the lines (IDs not found, ...); an empty caption gives the tool's own.
void ShowFileList1(TStrings* lines, const String& caption);

// The progress window (IProgress_001); style is passed on as given.
void GetIProgressEx(IProgress_001*& progress, const String& caption, const String& text,
                    int maximum, int style);

// The library's procedure of that name, the library loaded on first use; fails the assertion
// above when it has none.
void* GetComFormLibProc(const String& name);
// Where the library is loaded from: the running program's folder unless a test names another
// (empty: back to the program's folder). A library already loaded is freed first, so nothing
// it made may still be alive.
void SetComFormLibFolder(const String& folder);
