// The sort tool: the operator puts columns of the list in order, each rising or falling; the
// order goes into the query's FIELD macro ("A,B DESC") and the query is opened again.
//
// Only Oracle queries whose text ends in the ordering macros sort (ORDER holding "ORDER BY",
// FIELD the columns); for any other dataset the tool says so and changes nothing. The dialog
// offers the fields tagged for sorting (uFieldTags.h) and starts from the query's order as far
// as it names offered fields. An empty order switches both macros off: no ORDER BY.
//
// Operator's choice: "sort COLUMNS", COLUMNS the field names joined by "," each optionally
// followed by DESC (or ASC), for example "sort NAME DESC,ID"; it replaces the whole order.
#pragma once

#include <vector>

#include "src/ComFormLibs/uToolDialog.h"

class TDataSet;
class TField;
class TOraDataSet;

class TSortDlg : public TToolDialog {
  RTL_CLASS(TSortDlg, TToolDialog)
 public:
  TLabel* lblFields = nullptr;
  TListBox* lbFields = nullptr;
  TCheckBox* cbDescending = nullptr;
  TButton* btnAdd = nullptr;
  TButton* btnClear = nullptr;
  TLabel* lblOrder = nullptr;
  TListBox* lbOrder = nullptr;

  using inherited::Construct;
  void Construct(TComponent* owner, TOraDataSet* query, const String& caption);

  // The order as the FIELD macro takes it: "A,B DESC"; empty for none.
  String OrderText() const;

 protected:
  TSortDlg() = default;
  void ReadResource() override;
  String OperatorVerb() const override { return "sort"; }
  void ApplyChoice(const TOperatorStep& step) override;

 private:
  struct TSortColumn {
    TField* Field;
    bool Descending;
  };

  std::vector<TField*> Available() const;
  TField* OfferedField(const String& name) const;
  void ReadOrder(const String& text);
  void ShowLists();
  void btnAddClick(TObject* sender);
  void btnClearClick(TObject* sender);

  std::vector<TField*> FOffered;
  std::vector<TSortColumn> FOrder;
};

// Runs the tool on the dataset; caption names the list in the dialog.
void SortDataSet(TDataSet* dataSet, const String& caption);
