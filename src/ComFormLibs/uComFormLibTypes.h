// What the grid tools library and the programs that load it share: the progress interface and
// the signature of every procedure the library exports by name.
#pragma once

#include "platform/rtl/Strings.h"
#include "src/ComUnits/uDBGridInt.h"

class TDataSet;

// The progress window. Releasing the last reference closes it.
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

using TSortDBGridBProc = void(TDataSet* dataSet, const String& caption);
using TFindByDBGridExBProc = void(TDataSet* dataSet, const String& caption, int& fieldIndex);
using TFilterByDBGridDProc = void(int& state, IDBGrid* grid, const String& caption);
using TGridReportProc = void(TDataSet* master, TDataSet* detail, const String& masterCaption,
                             const String& detailCaption, const String& title);
using TRSelectProc = void(TDataSet* dataSet, int mode, const String& checkFieldName);
using TRunSelectDSProc = void(TDataSet* dataSet, int mode, const String& checkFieldName, bool flag);
using TRunSelectGridProc = void(IDBGrid* grid, int mode, const String& checkFieldName, bool flag);
using TRunMySelectProc = void(TDataSet* dataSet, int mode, const TMySelectNotifyEvent& handler2,
                              const TMySelectFilterEvent& handler, const String& checkFieldName,
                              bool flag);
using TShowGIFProc = TObject*(const String& text);
using TShowFileList1Proc = void(TStrings* lines, const String& caption);
using TGetIProgressExProc = void(IProgress_001*& progress, const String& caption,
                                 const String& text, int maximum, int style);
