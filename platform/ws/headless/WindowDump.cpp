// What the operator records of a window with a "dump" step.
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"

namespace {

String ShownText(const TControl* control) {
  for (const char* property : {"Caption", "Text"})
    if (IsPublishedProp(control, property)) return GetPropValue(control, property).AsString();
  return String();
}

String ItemState(int index) { return index < 0 ? String() : "item " + IntToStr(index); }

// The state worth telling: focus, disabled, ticks, choices, buttons down, button roles.
String StateOf(const TControl* control, const TCustomForm* window) {
  std::vector<String> parts;
  if (!control->Enabled()) parts.push_back("disabled");
  if (window->ActiveControl() == control) parts.push_back("focused");
  if (auto* box = dynamic_cast<const TCustomCheckBox*>(control)) {
    if (box->State() != cbUnchecked) parts.push_back(box->Checked() ? "checked" : "grayed");
  } else if (auto* radio = dynamic_cast<const TRadioButton*>(control)) {
    if (radio->Checked()) parts.push_back("checked");
  } else if (auto* group = dynamic_cast<const TCustomRadioGroup*>(control)) {
    parts.push_back(ItemState(group->ItemIndex()));
  } else if (auto* combo = dynamic_cast<const TCustomComboBox*>(control)) {
    parts.push_back(ItemState(combo->ItemIndex()));
  } else if (auto* list = dynamic_cast<const TCustomListBox*>(control)) {
    parts.push_back(ItemState(list->ItemIndex()));
  } else if (auto* speed = dynamic_cast<const TSpeedButton*>(control)) {
    if (speed->Down()) parts.push_back("down");
  } else if (auto* tool = dynamic_cast<const TToolButton*>(control)) {
    if (tool->Down()) parts.push_back("down");
  }
  if (auto* button = dynamic_cast<const TButton*>(control)) {
    if (button->Default()) parts.push_back("default");
    if (button->Cancel()) parts.push_back("cancel");
  }
  String state;
  for (const String& part : parts) {
    if (part.empty()) continue;
    if (!state.empty()) state += ' ';
    state += part;
  }
  return state;
}

TGridDump DumpGrid(TCustomDBGrid* grid) {
  TGridDump dump;
  dump.Name = grid->Name();
  const std::vector<TColumn*> columns = grid->VisibleColumns();
  for (const TColumn* column : columns) dump.Titles.push_back(column->TitleCaption());
  TDataSet* dataSet = grid->DataSet();
  if (!dataSet || !dataSet->Active() || dataSet->IsEmpty()) return dump;
  for (int recNo = 1; recNo <= dataSet->RecordCount(); ++recNo) {
    const TDataSet::TActiveRecordScope record(dataSet, recNo);
    std::vector<String> cells;
    for (const TColumn* column : columns) cells.push_back(grid->CellText(column));
    dump.Rows.push_back(std::move(cells));
  }
  dump.CurrentRow = dataSet->RecNo() - 1;
  return dump;
}

void DumpControls(const TWinControl* parent, int depth, const TCustomForm* window,
                  TWindowDump& dump) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Visible()) continue;
    // Unnamed controls are parts of their parent (a navigator's buttons).
    const bool named = !control->Name().empty();
    if (named)
      dump.Controls.push_back({depth, control->Name(), control->ClassName(), ShownText(control),
                               StateOf(control, window)});
    if (auto* grid = dynamic_cast<TCustomDBGrid*>(control)) dump.Grids.push_back(DumpGrid(grid));
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
      DumpControls(windowed, named ? depth + 1 : depth, window, dump);
  }
}

}  // namespace

TWindowDump DumpWindow(TCustomForm* window) {
  TWindowDump dump;
  dump.Name = window->Name();
  dump.ClassName = window->ClassName();
  dump.Caption = window->Caption();
  DumpControls(window, 0, window, dump);
  return dump;
}
