// Windows built from the platform's controls for the operator tests.
#pragma once

#include <functional>

#include "platform/db/VirtualTable.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ws/headless/HeadlessWidgetSet.h"

// A selection dialog in small: a grid over an in-memory table (RCHECK, ID, NAME) whose check
// column a click or Space toggles, a memo, OK and Cancel in a bottom panel, actions with
// shortcuts (Ctrl+Del swallowed, Ctrl+F counted) and a popup menu on the grid.
class TPickDialog : public TForm {
  RTL_CLASS(TPickDialog, TForm)
 public:
  TVirtualTable* Table = nullptr;
  TDataSource* Source = nullptr;
  TDBGrid* Grid = nullptr;
  TMemo* Memo = nullptr;
  TPanel* Panel1 = nullptr;
  TBitBtn* OkBtn = nullptr;
  TBitBtn* CancelBtn = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* EmptyAction = nullptr;
  TAction* pFind = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* pFind1 = nullptr;

  int FindRuns = 0;
  int GridKeys = 0;
  // Set by a test: what OK's click handler and the find action do, and whether the window may
  // close.
  std::function<void(TPickDialog*)> OkClicked;
  std::function<void(TPickDialog*)> FindRan;
  bool AllowClose = true;

  // The IDs whose row is ticked, in row order.
  std::vector<int> Ticked();

 protected:
  TPickDialog() = default;
  void ReadResource() override;

 private:
  void ToggleMark();
  void GridCellClick(TColumn* column);
  void GridKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void FindExecute(TObject* sender);
  void Nothing(TObject* sender) {}
  void OkClick(TObject* sender);
  void CloseQuery(TObject* sender, bool& canClose) { canClose = AllowClose; }
};

// Creates a dialog on rows 1..count named "Row <id>" and frees it at the end of the scope.
struct TPickDialogScope {
  explicit TPickDialogScope(int count = 3);
  ~TPickDialogScope();
  TPickDialog* operator->() const { return Dialog; }
  TPickDialog* Dialog;
};
