#include "src/ComFormLibs/uFilterDlg.h"

#include "platform/ora/OraDataSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComFormLibs/uFieldTags.h"
#include "src/ComFormLibs/uFilterCondition.h"
#include "src/ComFormLibs/uToolMessages.h"

RTL_CLASS_IMPL_CREATABLE(TFilterDlg, TToolDialog)

namespace {

std::vector<String> FilterColumns(TDataSet* dataSet) {
  std::vector<String> names;
  for (TField* field : ToolFields(dataSet, toFilter)) names.push_back(field->FieldName());
  return names;
}

String JoinNames(const std::vector<String>& names) {
  String text;
  for (const String& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// Sets the condition and opens the query again; when it cannot open so, the old condition comes
// back and the error goes on.
void ApplyFilter(TOraDataSet* query, const String& condition) {
  const String oldCondition = query->FilterSQL();
  const bool wasActive = query->Active();
  try {
    query->SetFilterSQL(condition);
  } catch (...) {
    query->SetFilterSQL(oldCondition);
    if (wasActive && !query->Active()) query->Open();
    throw;
  }
}

}  // namespace

void TFilterDlg::ReadResource() {
  inherited::ReadResource();
  SetName("FilterDlg");
  SetClientHeight(200);
  lblColumns = NewLabel("lblColumns", String());
  lblColumns->SetBounds(8, 8, 424, 16);
  lblCondition = NewLabel("lblCondition", "Condition:");
  mmCondition = TMemo::Create(this);
  mmCondition->SetName("mmCondition");
  mmCondition->SetParent(this);
  PlaceLabelled(lblCondition, mmCondition, 32, 104);
  SetActiveControl(mmCondition);
}

void TFilterDlg::Construct(TComponent* owner, const std::vector<String>& columnNames,
                           const String& condition, const String& caption) {
  inherited::Construct(owner);
  SetCaption("Filter: " + caption);
  FColumnNames = columnNames;
  lblColumns->SetCaption("Columns: " + JoinNames(columnNames));
  mmCondition->SetText(condition);
}

void TFilterDlg::ApplyChoice(const TOperatorStep& step) { mmCondition->SetText(step.Argument); }

bool TFilterDlg::Accept() {
  const String problem = ConditionProblem(Condition(), FColumnNames);
  if (problem.empty()) return true;
  ShowToolMessage("The condition cannot be used: " + problem, "Filter", TToolMessage::Error);
  return false;
}

void FilterDataSet(TDataSet* dataSet, int& state, const String& caption) {
  auto* query = dynamic_cast<TOraDataSet*>(dataSet);
  if (!query)
    return ShowToolMessage("The rows of \"" + caption + "\" cannot be filtered", "Filter",
                           TToolMessage::Warning);
  const String current = IsNoFilter(query->FilterSQL()) ? String() : query->FilterSQL();
  FreeOnExit<TFilterDlg> dialog(
      TFilterDlg::Create(nullptr, FilterColumns(query), current, caption));
  if (dialog->ShowModal() == mrOk)
    ApplyFilter(query, IsNoFilter(dialog->Condition()) ? String() : dialog->Condition());
  state = IsNoFilter(query->FilterSQL()) ? 0 : 1;
}
