#include "src/ComFormLibs/uToolDialog.h"

#include <utility>

RTL_CLASS_IMPL(TToolDialog, TForm)

namespace {

// Posted when the window is up, so that the choice is applied inside the modal loop, where a
// modal result ends the dialog.
constexpr uint32_t CM_OPERATORCHOICE = WM_USER + 0x0C71;

constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;

}  // namespace

void TToolDialog::ReadResource() {
  inherited::ReadResource();
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(440);
  SetClientHeight(320);

  ButtonPanel = TPanel::Create(this);
  ButtonPanel->SetName("ButtonPanel");
  ButtonPanel->SetParent(this);
  ButtonPanel->SetAlign(alBottom);
  ButtonPanel->SetHeight(kButtonHeight + 2 * kMargin);
  ButtonPanel->SetBevelOuter(bvNone);

  OkBtn = TButton::Create(this);
  OkBtn->SetName("OkBtn");
  OkBtn->SetParent(ButtonPanel);
  OkBtn->SetCaption("OK");
  OkBtn->SetDefault(true);
  OkBtn->SetModalResult(mrOk);
  OkBtn->SetBounds(ClientWidth() - 2 * (kButtonWidth + kMargin), kMargin, kButtonWidth,
                   kButtonHeight);
  OkBtn->SetAnchors(akRight | akTop);
  OkBtn->OnClick = TNotifyEvent(this, &TToolDialog::OkBtnClick);

  CancelBtn = TButton::Create(this);
  CancelBtn->SetName("CancelBtn");
  CancelBtn->SetParent(ButtonPanel);
  CancelBtn->SetCaption("Cancel");
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  CancelBtn->SetBounds(ClientWidth() - kButtonWidth - kMargin, kMargin, kButtonWidth,
                       kButtonHeight);
  CancelBtn->SetAnchors(akRight | akTop);
}

TLabel* TToolDialog::NewLabel(const String& name, const String& caption) {
  TLabel* label = TLabel::Create(this);
  label->SetName(name);
  label->SetParent(this);
  label->SetCaption(caption);
  return label;
}

void TToolDialog::PlaceLabelled(TLabel* label, TControl* control, int top, int height) {
  label->SetLeft(kMargin);
  label->SetTop(top);
  control->SetBounds(kMargin, top + 16, ClientWidth() - 2 * kMargin, height);
}

void TToolDialog::DoShow() {
  inherited::DoShow();
  TToolChoice choice = TakeToolChoice(OperatorVerb());
  if (!choice.Driven) return;
  FOperatorChoice = std::move(choice.Step);
  PostMessage(Handle(), CM_OPERATORCHOICE);
}

void TToolDialog::WndProc(TMessage& message) {
  if (message.Msg != CM_OPERATORCHOICE) return inherited::WndProc(message);
  ApplyOperatorChoice();
}

void TToolDialog::ApplyOperatorChoice() {
  const std::optional<TOperatorStep> step = std::exchange(FOperatorChoice, std::nullopt);
  if (!step) return CancelBtn->Click();
  ApplyChoice(*step);
  OkBtn->Click();
  if (ModalResult() == mrNone) CancelBtn->Click();
}

void TToolDialog::OkBtnClick(TObject*) {
  if (!Accept()) SetModalResult(mrNone);
}
