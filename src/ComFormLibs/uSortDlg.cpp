#include "src/ComFormLibs/uSortDlg.h"

#include <algorithm>

#include "platform/ora/OraDataSet.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComFormLibs/uFieldTags.h"
#include "src/ComFormLibs/uToolMessages.h"

RTL_CLASS_IMPL_CREATABLE(TSortDlg, TToolDialog)

namespace {

struct TOrderItem {
  String Name;
  bool Descending = false;
};

// "NAME", "NAME DESC" or "NAME ASC"; false for anything else.
bool ReadOrderItem(const String& text, TOrderItem& item) {
  const String trimmed = Trim(text);
  const size_t blank = trimmed.find_first_of(" \t");
  item.Name = trimmed.substr(0, blank);
  const String direction = blank == String::npos ? String() : Trim(trimmed.substr(blank));
  item.Descending = SameText(direction, "DESC");
  return !item.Name.empty() && (direction.empty() || item.Descending || SameText(direction, "ASC"));
}

std::vector<String> SplitAtCommas(const String& text) {
  std::vector<String> parts(1);
  for (char c : text) {
    if (c == ',')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

TMacro* OrderMacro(TOraDataSet* query) { return query->FindMacro("ORDER"); }
TMacro* FieldMacro(TOraDataSet* query) { return query->FindMacro("FIELD"); }

bool TakesPartInOrdering(TOraDataSet* query) {
  const TMacro* order = OrderMacro(query);
  return order && FieldMacro(query) && SameText(order->Value().substr(0, 5), "ORDER");
}

void SetOrder(TOraDataSet* query, const String& fields) {
  FieldMacro(query)->SetValue(fields);
  FieldMacro(query)->SetActive(!fields.empty());
  OrderMacro(query)->SetActive(!fields.empty());
}

// Writes the order and opens the query again; when it cannot open so, the old order comes back
// and the error goes on.
void ApplyOrder(TOraDataSet* query, const String& fields) {
  const String oldFields = FieldMacro(query)->Value();
  const bool wasActive = query->Active();
  query->Close();
  SetOrder(query, fields);
  if (!wasActive) return;
  try {
    query->Open();
  } catch (...) {
    SetOrder(query, oldFields);
    query->Open();
    throw;
  }
}

}  // namespace

void TSortDlg::ReadResource() {
  inherited::ReadResource();
  SetName("SortDlg");
  lblFields = NewLabel("lblFields", "Columns:");
  lbFields = TListBox::Create(this);
  lbFields->SetName("lbFields");
  lbFields->SetParent(this);
  PlaceLabelled(lblFields, lbFields, 8, 100);
  cbDescending = TCheckBox::Create(this);
  cbDescending->SetName("cbDescending");
  cbDescending->SetParent(this);
  cbDescending->SetCaption("Descending");
  cbDescending->SetBounds(8, 130, 120, 17);
  btnAdd = TButton::Create(this);
  btnAdd->SetName("btnAdd");
  btnAdd->SetParent(this);
  btnAdd->SetCaption("Add");
  btnAdd->SetBounds(176, 127, 80, 25);
  btnAdd->OnClick = TNotifyEvent(this, &TSortDlg::btnAddClick);
  btnClear = TButton::Create(this);
  btnClear->SetName("btnClear");
  btnClear->SetParent(this);
  btnClear->SetCaption("Clear");
  btnClear->SetBounds(264, 127, 80, 25);
  btnClear->OnClick = TNotifyEvent(this, &TSortDlg::btnClearClick);
  lblOrder = NewLabel("lblOrder", "Sort order:");
  lbOrder = TListBox::Create(this);
  lbOrder->SetName("lbOrder");
  lbOrder->SetParent(this);
  PlaceLabelled(lblOrder, lbOrder, 160, 100);
  SetActiveControl(lbFields);
}

void TSortDlg::Construct(TComponent* owner, TOraDataSet* query, const String& caption) {
  inherited::Construct(owner);
  SetCaption("Sort: " + caption);
  FOffered = ToolFields(query, toSort);
  if (FieldMacro(query)->Active() && OrderMacro(query)->Active())
    ReadOrder(FieldMacro(query)->Value());
  ShowLists();
}

// The query's own order, as far as it names offered fields.
void TSortDlg::ReadOrder(const String& text) {
  for (const String& part : SplitAtCommas(text)) {
    TOrderItem item;
    if (!ReadOrderItem(part, item)) continue;
    TField* field = OfferedField(item.Name);
    const std::vector<TField*> available = Available();
    if (std::find(available.begin(), available.end(), field) != available.end())
      FOrder.push_back({field, item.Descending});
  }
}

TField* TSortDlg::OfferedField(const String& name) const {
  for (TField* field : FOffered)
    if (SameText(field->FieldName(), name)) return field;
  return nullptr;
}

std::vector<TField*> TSortDlg::Available() const {
  std::vector<TField*> available;
  for (TField* field : FOffered)
    if (std::none_of(FOrder.begin(), FOrder.end(),
                     [field](const TSortColumn& column) { return column.Field == field; }))
      available.push_back(field);
  return available;
}

void TSortDlg::ShowLists() {
  lbFields->Items()->Clear();
  for (TField* field : Available()) lbFields->Items()->Add(field->DisplayLabel());
  lbOrder->Items()->Clear();
  for (const TSortColumn& column : FOrder)
    lbOrder->Items()->Add(column.Field->DisplayLabel() +
                          (column.Descending ? " (descending)" : ""));
}

void TSortDlg::btnAddClick(TObject*) {
  const std::vector<TField*> available = Available();
  const int index = lbFields->ItemIndex();
  if (index < 0 || index >= static_cast<int>(available.size())) return;
  FOrder.push_back({available[static_cast<size_t>(index)], cbDescending->Checked()});
  ShowLists();
}

void TSortDlg::btnClearClick(TObject*) {
  FOrder.clear();
  ShowLists();
}

String TSortDlg::OrderText() const {
  String text;
  for (const TSortColumn& column : FOrder)
    text +=
        (text.empty() ? "" : ",") + column.Field->FieldName() + (column.Descending ? " DESC" : "");
  return text;
}

void TSortDlg::ApplyChoice(const TOperatorStep& step) {
  btnClear->Click();
  for (const String& part : SplitAtCommas(step.Argument)) {
    TOrderItem item;
    if (!ReadOrderItem(part, item))
      ChoiceError(step, "\"" + Trim(part) + "\" is not a column name, optionally followed by DESC");
    const std::vector<TField*> available = Available();
    const auto place = std::find(available.begin(), available.end(), OfferedField(item.Name));
    if (place == available.end())
      ChoiceError(step,
                  "the list offers no column " + item.Name + " to sort by, or names it twice");
    lbFields->SelectItem(static_cast<int>(place - available.begin()));
    cbDescending->SetChecked(item.Descending);
    btnAdd->Click();
  }
}

void SortDataSet(TDataSet* dataSet, const String& caption) {
  auto* query = dynamic_cast<TOraDataSet*>(dataSet);
  if (!query || !TakesPartInOrdering(query))
    return ShowToolMessage("The rows of \"" + caption + "\" cannot be sorted", "Sort",
                           TToolMessage::Warning);
  FreeOnExit<TSortDlg> dialog(TSortDlg::Create(nullptr, query, caption));
  if (dialog->ShowModal() == mrOk) ApplyOrder(query, dialog->OrderText());
}
