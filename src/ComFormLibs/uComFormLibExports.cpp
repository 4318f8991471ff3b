// The procedures the library exports by name, and the operator's steps it registers while it is
// loaded ("sort COLUMNS", "filter CONDITION", "find FIELD TEXT" on the active grid of the window
// in front).
#include <type_traits>

#include "platform/db/DataSet.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"
#include "src/ComFormLibs/uComFormLibTypes.h"
#include "src/ComFormLibs/uFilterDlg.h"
#include "src/ComFormLibs/uFindDlg.h"
#include "src/ComFormLibs/uGridReport.h"
#include "src/ComFormLibs/uProgressWin.h"
#include "src/ComFormLibs/uSelectTools.h"
#include "src/ComFormLibs/uSortDlg.h"
#include "src/ComFormLibs/uToolOperator.h"

namespace {

// A filter state the caller holds for a query other than the window's main one.
constexpr int kOtherQueryState = 2;

TSelectEnd SelectEnd(bool flag) { return flag ? TSelectEnd::KeepPlace : TSelectEnd::FirstRow; }

TDataSet* GridDataSet(IDBGrid* grid) {
  Assert(grid != nullptr, "ComFormLibs.RunSelectGrid: Grid = nil");
  return grid->GetDataSet();
}

}  // namespace

extern "C" {

void _SortDBGridB(TDataSet* dataSet, const String& caption) { SortDataSet(dataSet, caption); }

void _FindByDBGridExB(TDataSet* dataSet, const String& caption, int& fieldIndex) {
  FindInDataSet(dataSet, caption, fieldIndex);
}

void _FilterByDBGridD(int& state, IDBGrid* grid, const String& caption) {
  Assert(grid != nullptr, "ComFormLibs._FilterByDBGridD: Grid = nil");
  FilterDataSet(grid->GetDataSet(), state, caption);
}

void GridReport(TDataSet* master, TDataSet* detail, const String& masterCaption,
                const String& detailCaption, const String& title) {
  WriteGridReport(master, detail, masterCaption, detailCaption, title);
}

void RSelect(TDataSet* dataSet, int mode, const String& checkFieldName) {
  RunSelect(dataSet, mode, checkFieldName, TSelectEnd::KeepPlace);
}

void RunSelectDS(TDataSet* dataSet, int mode, const String& checkFieldName, bool flag) {
  RunSelect(dataSet, mode, checkFieldName, SelectEnd(flag));
}

void RunSelectGrid(IDBGrid* grid, int mode, const String& checkFieldName, bool flag) {
  RunSelect(GridDataSet(grid), mode, checkFieldName, SelectEnd(flag));
}

void RunMySelect(TDataSet* dataSet, int mode, const TMySelectNotifyEvent& handler2,
                 const TMySelectFilterEvent& handler, const String& checkFieldName, bool flag) {
  RunSelect(dataSet, mode, checkFieldName, SelectEnd(flag), handler2, handler);
}

TObject* ShowGIF(const String& text) { return TWaitWindowHolder::Create(text); }

void ShowFileList1(TStrings* lines, const String& caption) { ShowLines(lines, caption); }

// The style is accepted as callers pass it (5); every progress window here has its bar and its
// Cancel button. The reference held before is given up, as for an out parameter.
void GetIProgressEx(IProgress_001*& progress, const String& caption, const String& text,
                    int maximum, int style) {
  IProgress_001* previous = progress;
  progress = nullptr;
  if (previous) previous->_Release();
  progress = OpenProgress(caption, text, maximum);
}

}  // extern "C"

static_assert(std::is_same_v<decltype(_SortDBGridB), TSortDBGridBProc>);
static_assert(std::is_same_v<decltype(_FindByDBGridExB), TFindByDBGridExBProc>);
static_assert(std::is_same_v<decltype(_FilterByDBGridD), TFilterByDBGridDProc>);
static_assert(std::is_same_v<decltype(GridReport), TGridReportProc>);
static_assert(std::is_same_v<decltype(RSelect), TRSelectProc>);
static_assert(std::is_same_v<decltype(RunSelectDS), TRunSelectDSProc>);
static_assert(std::is_same_v<decltype(RunSelectGrid), TRunSelectGridProc>);
static_assert(std::is_same_v<decltype(RunMySelect), TRunMySelectProc>);
static_assert(std::is_same_v<decltype(ShowGIF), TShowGIFProc>);
static_assert(std::is_same_v<decltype(ShowFileList1), TShowFileList1Proc>);
static_assert(std::is_same_v<decltype(GetIProgressEx), TGetIProgressExProc>);

namespace {

TDataSet* StepDataSet(const TStepContext& context, TCustomDBGrid* grid) {
  TDataSet* dataSet = grid->DataSet();
  if (!dataSet || !dataSet->Active()) context.Fail("the grid " + grid->Name() + " shows no data");
  return dataSet;
}

void SortStep(TStepContext& context) {
  TCustomDBGrid* grid = context.ActiveGrid();
  TDataSet* dataSet = StepDataSet(context, grid);
  const TStepChoiceScope choice(context.Step());
  SortDataSet(dataSet, grid->Hint());
}

void FilterStep(TStepContext& context) {
  TCustomDBGrid* grid = context.ActiveGrid();
  TDataSet* dataSet = StepDataSet(context, grid);
  const TStepChoiceScope choice(context.Step());
  int state = kOtherQueryState;
  FilterDataSet(dataSet, state, grid->Hint());
}

// As the window does after its find: the grid selects the column searched.
void FindStep(TStepContext& context) {
  TCustomDBGrid* grid = context.ActiveGrid();
  TDataSet* dataSet = StepDataSet(context, grid);
  const TStepChoiceScope choice(context.Step());
  const TField* selected = grid->SelectedField();
  int fieldIndex = selected ? selected->Index() : -1;
  FindInDataSet(dataSet, grid->Hint(), fieldIndex);
  if (fieldIndex >= 0 && fieldIndex < dataSet->FieldCount())
    grid->SetSelectedField(dataSet->Fields()->Fields(fieldIndex));
}

struct TToolStep {
  const char* Verb;
  void (*Run)(TStepContext&);
};

constexpr TToolStep ToolSteps[] = {{"sort", SortStep}, {"filter", FilterStep}, {"find", FindStep}};

// The steps live exactly as long as the library: a script never reaches code that was unloaded.
struct TToolStepsRegistration {
  TToolStepsRegistration() {
    for (const TToolStep& step : ToolSteps) RegisterOperatorStep(step.Verb, step.Run);
  }
  ~TToolStepsRegistration() {
    for (const TToolStep& step : ToolSteps) UnregisterOperatorStep(step.Verb);
  }
} ToolStepsRegistration;

}  // namespace
