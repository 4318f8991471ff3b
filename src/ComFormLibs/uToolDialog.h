// The common window of the grid tools' dialogs: the dialog's own controls above OK and Cancel.
//
// When an operator runs the windows (uToolOperator.h), the dialog takes the operator's choice
// once it is up and the modal loop runs: it puts the choice into its controls as a person would
// and presses OK, or presses Cancel when the operator gave none. A choice that OK refuses ends
// the dialog with Cancel, after the dialog has shown why.
#pragma once

#include <optional>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "src/ComFormLibs/uToolOperator.h"

class TToolDialog : public TForm {
  RTL_CLASS(TToolDialog, TForm)
 public:
  TPanel* ButtonPanel = nullptr;
  TButton* OkBtn = nullptr;
  TButton* CancelBtn = nullptr;

 protected:
  TToolDialog() = default;
  void ReadResource() override;
  void DoShow() override;
  void WndProc(TMessage& message) override;

  // The verb of the operator's steps this dialog answers to.
  virtual String OperatorVerb() const = 0;
  // Puts the operator's choice into the controls; ChoiceError when it cannot be applied.
  virtual void ApplyChoice(const TOperatorStep& step) = 0;
  // OK was pressed: false keeps the dialog open (it has told the person why).
  virtual bool Accept() { return true; }

  // A label above a control at the left edge; the control takes the rest of the width.
  void PlaceLabelled(TLabel* label, TControl* control, int top, int height);
  TLabel* NewLabel(const String& name, const String& caption);

 private:
  void OkBtnClick(TObject* sender);
  void ApplyOperatorChoice();

  // The operator's choice while it waits for the modal loop; none: the dialog is cancelled.
  std::optional<TOperatorStep> FOperatorChoice;
};
