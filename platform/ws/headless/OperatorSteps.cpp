// The built-in steps of the operator (OPERATOR.md).
#include <functional>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/CheckCombo.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"

namespace {

int IndexArgument(const TStepContext& context) { return StrToInt(context.Step().Words().back()); }

TDataSet* GridDataSet(const TStepContext& context, TCustomDBGrid* grid) {
  TDataSet* dataSet = grid->DataSet();
  if (!dataSet || !dataSet->Active()) context.Fail("the grid " + grid->Name() + " shows no data");
  return dataSet;
}

void GotoKeys(const TStepContext& context, TCustomDBGrid* grid) {
  TDataSet* dataSet = GridDataSet(context, grid);
  const TLocateKeys keys = ParseLocateKeys(context.Step().Argument);
  if (!dataSet->Locate(keys.Fields, keys.Values))
    context.Fail("no row of the grid " + grid->Name() + " has " + context.Step().Argument);
}

void GotoRow(const TStepContext& context, TCustomDBGrid* grid) {
  TDataSet* dataSet = GridDataSet(context, grid);
  const int row = IndexArgument(context);
  if (row >= dataSet->RecordCount())
    context.Fail("the grid " + grid->Name() + " has " + IntToStr(dataSet->RecordCount()) + " rows");
  dataSet->SetRecNo(row + 1);
}

// Clicks the cell of the check column in the current row, as the mouse would.
void ClickCheckCell(const TStepContext& context, TCustomDBGrid* grid) {
  context.RequireInput(grid);
  const String& checkField = context.WidgetSet().CheckFieldName();
  const std::vector<TColumn*> columns = grid->VisibleColumns();
  int dataCol = 0;
  while (dataCol < static_cast<int>(columns.size()) &&
         !SameText(columns[static_cast<size_t>(dataCol)]->FieldName(), checkField))
    ++dataCol;
  if (dataCol == static_cast<int>(columns.size()))
    context.Fail("the grid " + grid->Name() + " shows no " + checkField + " column");
  const int row = std::max(0, GridDataSet(context, grid)->RecNo() - grid->TopRecNo());
  const TRect cell = grid->CellRect(dataCol, row);
  DeliverClick(grid, {cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2});
}

void Tick(TStepContext& context) {
  TCustomDBGrid* grid = context.ActiveGrid();
  GotoKeys(context, grid);
  ClickCheckCell(context, grid);
}

void TickRow(TStepContext& context) {
  TCustomDBGrid* grid = context.ActiveGrid();
  GotoRow(context, grid);
  ClickCheckCell(context, grid);
}

void Goto(TStepContext& context) { GotoKeys(context, context.ActiveGrid()); }
void GotoRowStep(TStepContext& context) { GotoRow(context, context.ActiveGrid()); }

void Focus(TStepContext& context) {
  auto* control =
      context.ComponentAs<TWinControl>(context.Step().Argument, "a control that takes the focus");
  if (!control->CanFocus() || !CanReceiveInput(control))
    context.Fail(control->Name() + " cannot take the focus");
  control->SetFocus();
}

bool Clickable(const TControl* control) {
  return dynamic_cast<const TButtonControl*>(control) ||
         dynamic_cast<const TSpeedButton*>(control) || dynamic_cast<const TToolButton*>(control);
}

void Click(TStepContext& context) {
  TComponent* component = context.Component(context.Step().Argument);
  if (dynamic_cast<TMenuItem*>(component))
    context.Fail(component->Name() + " is a menu item: it is clicked right after its popup step");
  auto* control = dynamic_cast<TControl*>(component);
  if (!control || !Clickable(control))
    context.Fail(component->Name() +
                 " is not a button, tool button, speed button, check box or radio button");
  context.RequireInput(control);
  DeliverClick(control);
}

void Action(TStepContext& context) {
  auto* action = context.ComponentAs<TBasicAction>(context.Step().Argument, "an action");
  if (auto* custom = dynamic_cast<TCustomAction*>(action)) {
    custom->Update();
    if (!custom->Enabled()) context.Fail("the action " + action->Name() + " is disabled");
  }
  if (!action->Execute()) context.Fail("the action " + action->Name() + " has no handler");
}

void Radio(TStepContext& context) {
  const std::vector<String> words = context.Step().Words();
  auto* group = context.ComponentAs<TCustomRadioGroup>(words[0], "a radio group");
  context.RequireInput(group);
  const int index = IndexArgument(context);
  if (index >= group->Items()->Count())
    context.Fail(group->Name() + " has " + IntToStr(group->Items()->Count()) + " items");
  group->SetItemIndex(index);
}

void Select(TStepContext& context) {
  const std::vector<String> words = context.Step().Words();
  TComponent* component = context.Component(words[0]);
  auto* combo = dynamic_cast<TCustomComboBox*>(component);
  auto* list = dynamic_cast<TCustomListBox*>(component);
  if (!combo && !list) context.Fail(words[0] + " is not a combo box or list box");
  TWinControl* control = combo ? static_cast<TWinControl*>(combo) : list;
  context.RequireInput(control);
  const int index = IndexArgument(context);
  const int count = combo ? combo->Items()->Count() : list->Items()->Count();
  if (index >= count) context.Fail(words[0] + " has " + IntToStr(count) + " items");
  if (combo)
    combo->SelectItem(index);
  else
    list->SelectItem(index);
}

void SetCheck(TStepContext& context, bool checked) {
  const std::vector<String> words = context.Step().Words();
  TComponent* component = context.Component(words[0]);
  if (auto* box = dynamic_cast<TCustomCheckBox*>(component)) {
    if (words.size() > 1) context.Fail(words[0] + " is a check box: it takes no item number");
    context.RequireInput(box);
    return box->SetChecked(checked);
  }
  auto* combo = dynamic_cast<TCheckComboBox*>(component);
  if (!combo) context.Fail(words[0] + " is not a check box or check combo box");
  if (words.size() < 2) context.Fail(words[0] + " is a check combo box: give the item number");
  context.RequireInput(combo);
  const int index = IndexArgument(context);
  if (index >= combo->Items()->Count())
    context.Fail(words[0] + " has " + IntToStr(combo->Items()->Count()) + " items");
  // The operator opens the list, ticks the item and closes the list again.
  combo->SetDroppedDown(true);
  combo->SetChecked(index, checked);
  combo->SetDroppedDown(false);
}

void Check(TStepContext& context) { SetCheck(context, true); }
void Uncheck(TStepContext& context) { SetCheck(context, false); }

void Key(TStepContext& context) {
  const std::vector<String> words = context.Step().Words();
  auto* control = context.ComponentAs<TWinControl>(words[0], "a control that takes keys");
  context.RequireInput(control);
  if (!control->Focused() && control->CanFocus()) control->SetFocus();
  DeliverKey(control, TextToShortCut(Trim(context.Step().Argument.substr(words[0].size()))));
}

void DoubleClick(TStepContext& context) {
  auto* control = context.ComponentAs<TControl>(context.Step().Argument, "a control");
  context.RequireInput(control);
  auto* grid = dynamic_cast<TCustomDBGrid*>(control);
  if (!grid) return DeliverDoubleClick(control);
  // On a grid the double click lands on the current cell.
  TDataSet* dataSet = grid->DataSet();
  const int row =
      dataSet && dataSet->Active() ? std::max(0, dataSet->RecNo() - grid->TopRecNo()) : 0;
  const std::vector<TColumn*> columns = grid->VisibleColumns();
  int dataCol = 0;
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i]->Index() == grid->SelectedIndex()) dataCol = static_cast<int>(i);
  const TRect cell = grid->CellRect(dataCol, row);
  DeliverDoubleClick(grid, {cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2});
}

void Popup(TStepContext& context) {
  auto* control = context.ComponentAs<TControl>(context.Step().Argument, "a control");
  context.RequireInput(control);
  if (!control->GetPopupMenu() || !DeliverContextMenu(control))
    context.Fail(control->Name() + " has no popup menu");
}

// The window's button for a modal result: by its result, else by its default or cancel role.
TButton* FindButton(const TWinControl* parent, const std::function<bool(const TButton*)>& test) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (!control->Visible()) continue;
    if (auto* button = dynamic_cast<TButton*>(control); button && test(button)) return button;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
      if (TButton* button = FindButton(windowed, test)) return button;
  }
  return nullptr;
}

void PressModalButton(TStepContext& context, TModalResult result, const char* name) {
  TButton* button = FindButton(context.Window(),
                               [result](const TButton* b) { return b->ModalResult() == result; });
  if (!button)
    button = FindButton(context.Window(), [result](const TButton* b) {
      return result == mrOk ? b->Default() : b->Cancel();
    });
  if (!button)
    context.Fail("the window \"" + context.Window()->Caption() + "\" has no " + name + " button");
  context.RequireInput(button);
  DeliverClick(button);
}

void Ok(TStepContext& context) { PressModalButton(context, mrOk, "OK"); }
void Cancel(TStepContext& context) { PressModalButton(context, mrCancel, "Cancel"); }

void Close(TStepContext& context) {
  TCustomForm* window = context.Window();
  if (!(window->BorderIcons() & biSystemMenu) || window->BorderStyle() == TFormBorderStyle::bsNone)
    context.Fail("the window \"" + window->Caption() + "\" has no close button");
  DeliverCloseButton(window);
}

void Dump(TStepContext& context) {
  TRecordEntry entry;
  entry.Kind = TRecordKind::Dump;
  entry.Caption = context.Window()->Caption();
  entry.Dump = DumpWindow(context.Window());
  context.Record().Add(std::move(entry));
}

void QueueReply(TStepContext& context) { context.WidgetSet().QueueReply(context.Step()); }

struct TBuiltInStep {
  const char* Verb;
  void (*Run)(TStepContext&);
};

constexpr TBuiltInStep BuiltInSteps[] = {
    {"tick", Tick},
    {"tickrow", TickRow},
    {"goto", Goto},
    {"gotorow", GotoRowStep},
    {"focus", Focus},
    {"click", Click},
    {"action", Action},
    {"radio", Radio},
    {"select", Select},
    {"check", Check},
    {"uncheck", Uncheck},
    {"key", Key},
    {"dblclick", DoubleClick},
    {"popup", Popup},
    {"ok", Ok},
    {"cancel", Cancel},
    {"close", Close},
    {"dump", Dump},
    {"answer", QueueReply},
    {"cancel-progress", QueueReply},
};

}  // namespace

bool RunBuiltInStep(TStepContext& context) {
  for (const TBuiltInStep& step : BuiltInSteps) {
    if (context.Step().Verb != step.Verb) continue;
    step.Run(context);
    return true;
  }
  return false;
}
