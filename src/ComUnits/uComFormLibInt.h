// The grid tools library (libComFormLibs.so): find, sort, filter and report dialogs, the mark
// operations, the wait, list and progress windows. The library is loaded from the running
// program's folder on first use and released when this library unloads; each call below
// resolves its procedure by name there.
//
// Errors: a missing file raises "uComFormLibInt.LoadLib: "<path>" library is not found"; a
// failed load raises the system's error; a missing procedure fails the assertion
// "uComFormLibInt: "<name>" procedure not found in ComFormLibs.dll".
#pragma once

#include "platform/rtl/Strings.h"
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

// The mark operations. Modes: 0 mark all, 1 clear all, 3 invert.
void RSelect(TDataSet* dataSet, int mode, const String& checkFieldName);
void RunSelectDS(TDataSet* dataSet, int mode, const String& checkFieldName, bool flag);
void RunSelectGrid(IDBGrid* grid, int mode, const String& checkFieldName, bool flag);
void RunMySelect(TDataSet* dataSet, int mode, const TMySelectNotifyEvent& handler2,
                 const TMySelectFilterEvent& handler, const String& checkFieldName, bool flag);

// A wait window; freeing the object closes it.
TObject* ShowGIF(const String& text);
// A window listing the lines (IDs not found, ...); an empty caption gives the tool's own.
void ShowFileList1(TStrings* lines, const String& caption);

// The progress window. Releasing the interface closes it.
class IProgress_001 {
 public:
  virtual int _AddRef() = 0;
  virtual int _Release() = 0;
  virtual void SetText(const String& text) = 0;
  virtual void SetStage(const String& text, int maximum) = 0;
  virtual void Reset(const String& caption, const String& text, int maximum) = 0;
  // Advances the bar; false once the operator cancelled (the caller then raises "user break").
  virtual bool Step(const String& text) = 0;

 protected:
  ~IProgress_001() = default;
};
void GetIProgressEx(IProgress_001*& progress, const String& caption, const String& text,
                    int maximum, int style);
