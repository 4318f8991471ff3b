// The filter tool: the operator writes a condition on the list's columns; it becomes the
// query's server-side condition (FilterSQL, added to the statement's WHERE) and the query is
// opened again. An empty condition, or the neutral "((1=1)aNd(1=1))", lifts the filter.
//
// A condition is checked before it reaches the query (uFilterCondition.h); a refused one is
// shown with the reason and the dialog stays open. When the query cannot be opened with it,
// the old condition comes back and the error goes on. Only Oracle queries filter; for any
// other dataset the tool says so and changes nothing.
//
// The state handed in (0 or 1 for the window's main query, 2 for another) is the caller's
// belief; the tool reads the query's own condition, and hands back 1 when the query is
// filtered afterwards, 0 when it is not. For a dataset it cannot filter the state stays.
//
// Operator's choice: "filter CONDITION", the condition as it would be typed; "filter" alone
// lifts the filter.
#pragma once

#include <vector>

#include "src/ComFormLibs/uToolDialog.h"

class TDataSet;

class TFilterDlg : public TToolDialog {
  RTL_CLASS(TFilterDlg, TToolDialog)
 public:
  TLabel* lblColumns = nullptr;
  TLabel* lblCondition = nullptr;
  TMemo* mmCondition = nullptr;

  using inherited::Construct;
  void Construct(TComponent* owner, const std::vector<String>& columnNames, const String& condition,
                 const String& caption);

  String Condition() const { return Trim(mmCondition->Text()); }

 protected:
  TFilterDlg() = default;
  void ReadResource() override;
  String OperatorVerb() const override { return "filter"; }
  void ApplyChoice(const TOperatorStep& step) override;
  bool Accept() override;

 private:
  std::vector<String> FColumnNames;
};

void FilterDataSet(TDataSet* dataSet, int& state, const String& caption);
