#include "src/FormReposit/uDlgBaseForm.h"

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComUnits/uVRXRes.h"

RTL_CLASS_IMPL_CREATABLE(TDlgBaseForm, TBaseForm)

namespace {

// Resources of a language module that replace the buttons' captions and the OK-only glyph.
constexpr int OkOnlyCaptionResource = 146;
constexpr int CancelCaptionResource = 147;
constexpr int OkCaptionResource = 148;
constexpr int OkOnlyGlyphResource = 199;
constexpr int OkOnlyGlyphBitmap = 53;

void SetCaptionFromResource(TBitBtn* button, int resource) {
  const String caption = LibraryResourceString(resource);
  if (!caption.empty()) button->SetCaption(caption);
}

}  // namespace

void TDlgBaseForm::Construct(TComponent* owner, TOraSession* session, const String& schema,
                             bool noCenterButtons, uint8_t buttonMode) {
  inherited::Construct(owner, session, schema);
  FNoCenterButtons = noCenterButtons;
  FButtonMode = buttonMode;
  ApplyButtonMode();
}

void TDlgBaseForm::ReadResource() {
  inherited::ReadResource();
  SetName("DlgBaseForm");
  SetCaption("DlgBaseForm");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(306);
  SetClientHeight(289);

  Panel1 = TPanel::Create(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  Panel1->SetAlign(alBottom);
  Panel1->SetHeight(39);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetCaption("");

  BaseBevelDlg = TBevel::Create(this);
  BaseBevelDlg->SetName("BaseBevelDlg");
  BaseBevelDlg->SetParent(Panel1);
  BaseBevelDlg->SetAlign(alTop);
  BaseBevelDlg->SetShape(bsTopLine);
  BaseBevelDlg->SetHeight(2);

  OkBtn = TBitBtn::Create(this);
  OkBtn->SetName("OkBtn");
  OkBtn->SetParent(Panel1);
  OkBtn->SetBounds(115, 8, 97, 27);
  OkBtn->SetAnchors(akTop | akRight);
  OkBtn->SetCaption("Применить");
  OkBtn->SetDefault(true);
  OkBtn->SetModalResult(mrOk);
  OkBtn->SetNumGlyphs(2);

  CancelBtn = TBitBtn::Create(this);
  CancelBtn->SetName("CancelBtn");
  CancelBtn->SetParent(Panel1);
  CancelBtn->SetBounds(220, 8, 81, 27);
  CancelBtn->SetAnchors(akTop | akRight);
  CancelBtn->SetCaption("Отменить");
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  CancelBtn->SetNumGlyphs(2);

  PARAM_PACK = TOraPackage::Create(this);
  PARAM_PACK->SetName("PARAM_PACK");
  PARAM_PACK->SetPackageName("xxx.PARAM_PACK");
  PARAM_PACK->SetSession(MainSession);
}

void TDlgBaseForm::ApplyButtonMode() {
  if (FButtonMode != 1) return;
  FNoCenterButtons = true;
  CancelBtn->SetVisible(false);
  const int panelWidth = Panel1->Width();
  const int buttonWidth = OkBtn->Width();
  if (buttonWidth * 2.5 >= panelWidth) {
    OkBtn->SetLeft(static_cast<int>(Round((panelWidth - buttonWidth) / 2.0)));
    OkBtn->SetAnchors(akTop);
  } else {
    OkBtn->SetLeft(panelWidth - buttonWidth - 10);
    OkBtn->SetAnchors(akTop | akRight);
  }
  OkBtn->SetVisible(true);
  OkBtn->SetCancel(true);
  if (OkBtn->Action()) return;
  TBitmap* glyph = TBitmap::Create();
  FreeOnExit freeGlyph(glyph);
  if (LoadVRXResBitmap(OkOnlyGlyphBitmap, glyph)) {
    OkBtn->SetGlyph(glyph);
    OkBtn->SetNumGlyphs(2);
  } else if (LibraryHasBitmap(OkOnlyGlyphResource)) {
    glyph->SetWidth(OkBtn->Glyph()->Width());
    OkBtn->SetGlyph(glyph);
  }
  SetCaptionFromResource(OkBtn, OkOnlyCaptionResource);
}

void TDlgBaseForm::LoadResources() {
  inherited::LoadResources();
  if (!OkBtn->Action()) SetCaptionFromResource(OkBtn, OkCaptionResource);
  if (!CancelBtn->Action()) SetCaptionFromResource(CancelBtn, CancelCaptionResource);
}

void TDlgBaseForm::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  for (TMenuItem* item : {N1, pFirst1, pLast1, pNext1, pPrev1, pRefresh1}) item->SetVisible(false);
  for (TAction* action : {pFirst, pPrev, pNext, pLast, pRefresh}) action->SetVisible(false);
  FButtonsSpace = GetButtonsSpace();
}

void TDlgBaseForm::FormShow(TObject* sender) {
  inherited::FormShow(sender);
  if (!FNoCenterButtons) CenterButtons();
}

void TDlgBaseForm::CenterButtons() {
  const int clientWidth = ClientWidth();
  const int left = static_cast<int>(Round(clientWidth / 2.0 - FButtonsSpace / 2.0));
  const int right = static_cast<int>(Round(clientWidth / 2.0 + FButtonsSpace / 2.0));
  if (left - OkBtn->Width() <= 0 || right + CancelBtn->Width() >= clientWidth) return;
  OkBtn->SetLeft(left - OkBtn->Width());
  CancelBtn->SetLeft(right);
}
