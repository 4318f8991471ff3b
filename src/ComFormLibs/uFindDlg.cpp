#include "src/ComFormLibs/uFindDlg.h"

#include <algorithm>

#include "platform/db/DataSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"
#include "src/ComFormLibs/uFieldTags.h"
#include "src/ComFormLibs/uToolMessages.h"

RTL_CLASS_IMPL_CREATABLE(TFindDlg, TToolDialog)

namespace {

// The record number of the first row whose field shows the text, 0 for none. The rows are read
// in place, without moving the cursor.
int FindRecNo(TDataSet* dataSet, TField* field, const String& text) {
  const String wanted = AnsiUpperCase(text);
  const int count = dataSet->RecordCount();
  for (int recNo = 1; recNo <= count; ++recNo) {
    const TDataSet::TActiveRecordScope row(dataSet, recNo);
    if (AnsiUpperCase(field->DisplayText()).find(wanted) != String::npos) return recNo;
  }
  return 0;
}

TField* FieldAt(TDataSet* dataSet, int index) {
  return index >= 0 && index < dataSet->FieldCount() ? dataSet->Fields()->Fields(index) : nullptr;
}

}  // namespace

void TFindDlg::ReadResource() {
  inherited::ReadResource();
  SetName("FindDlg");
  SetClientHeight(150);
  lblField = NewLabel("lblField", "Column:");
  cbField = TComboBox::Create(this);
  cbField->SetName("cbField");
  cbField->SetParent(this);
  cbField->SetStyle(TCustomComboBox::csDropDownList);
  PlaceLabelled(lblField, cbField, 8, 21);
  lblText = NewLabel("lblText", "Text to find:");
  edText = TEdit::Create(this);
  edText->SetName("edText");
  edText->SetParent(this);
  PlaceLabelled(lblText, edText, 56, 21);
  OkBtn->SetCaption("Find");
  SetActiveControl(edText);
}

void TFindDlg::Construct(TComponent* owner, const std::vector<TField*>& offered, TField* initial,
                         const String& caption) {
  inherited::Construct(owner);
  SetCaption("Find: " + caption);
  FOffered = offered;
  for (TField* field : FOffered) cbField->Items()->Add(field->DisplayLabel());
  const auto start = std::find(FOffered.begin(), FOffered.end(), initial);
  cbField->SetItemIndex(start == FOffered.end() ? 0 : static_cast<int>(start - FOffered.begin()));
}

TField* TFindDlg::ChosenField() const {
  const int index = cbField->ItemIndex();
  return index >= 0 && index < static_cast<int>(FOffered.size())
             ? FOffered[static_cast<size_t>(index)]
             : nullptr;
}

int TFindDlg::OfferedIndex(const String& name) const {
  for (size_t i = 0; i < FOffered.size(); ++i)
    if (SameText(FOffered[i]->FieldName(), name)) return static_cast<int>(i);
  return -1;
}

void TFindDlg::ApplyChoice(const TOperatorStep& step) {
  const std::vector<String> words = step.Words();
  if (words.size() < 2) ChoiceError(step, "takes a field name and the text to find");
  const int index = OfferedIndex(words[0]);
  if (index < 0) ChoiceError(step, "the list offers no column " + words[0] + " to search");
  cbField->SelectItem(index);
  edText->SetText(Trim(step.Argument.substr(words[0].size())));
}

bool TFindDlg::Accept() {
  if (ChosenField() && !FindText().empty()) return true;
  ShowToolMessage("Choose a column and type the text to find", "Find", TToolMessage::Warning);
  return false;
}

void FindInDataSet(TDataSet* dataSet, const String& caption, int& fieldIndex) {
  const std::vector<TField*> offered =
      dataSet && dataSet->Active() ? ToolFields(dataSet, toShow) : std::vector<TField*>();
  if (offered.empty())
    return ShowToolMessage("The rows of \"" + caption + "\" cannot be searched", "Find",
                           TToolMessage::Warning);
  FreeOnExit<TFindDlg> dialog(
      TFindDlg::Create(nullptr, offered, FieldAt(dataSet, fieldIndex), caption));
  if (dialog->ShowModal() != mrOk) return;
  TField* field = dialog->ChosenField();
  fieldIndex = field->Index();
  dataSet->CheckBrowseMode();
  const int recNo = FindRecNo(dataSet, field, dialog->FindText());
  if (recNo > 0)
    dataSet->SetRecNo(recNo);
  else
    ShowToolMessage("\"" + dialog->FindText() + "\" is not found in the column \"" +
                        field->DisplayLabel() + "\"",
                    "Find", TToolMessage::Information);
}
