// The find tool: the operator picks a column and types a text; the cursor moves to the first
// row (in the list's order) whose text in that column contains the text, letter case ignored.
// When no row has it, the tool says so and the cursor stays.
//
// The dialog offers the fields tagged for showing (uFieldTags.h) and starts on the field the
// caller names (the grid's selected one); the field searched is handed back, so that the grid
// can select it.
//
// Operator's choice: "find FIELD TEXT", FIELD a field name, TEXT the rest of the step.
#pragma once

#include <vector>

#include "src/ComFormLibs/uToolDialog.h"

class TDataSet;
class TField;

class TFindDlg : public TToolDialog {
  RTL_CLASS(TFindDlg, TToolDialog)
 public:
  TLabel* lblField = nullptr;
  TComboBox* cbField = nullptr;
  TLabel* lblText = nullptr;
  TEdit* edText = nullptr;

  using inherited::Construct;
  void Construct(TComponent* owner, const std::vector<TField*>& offered, TField* initial,
                 const String& caption);

  TField* ChosenField() const;
  String FindText() const { return edText->Text(); }

 protected:
  TFindDlg() = default;
  void ReadResource() override;
  String OperatorVerb() const override { return "find"; }
  void ApplyChoice(const TOperatorStep& step) override;
  bool Accept() override;

 private:
  int OfferedIndex(const String& name) const;

  std::vector<TField*> FOffered;
};

// Runs the tool; fieldIndex (an index into the dataset's fields) in names the field to start
// on, out the field searched.
void FindInDataSet(TDataSet* dataSet, const String& caption, int& fieldIndex);
