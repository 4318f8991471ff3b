#include "src/FormReposit/uComBaseForm.h"

#include <algorithm>

#include "platform/rtl/Strings.h"
#include "platform/rtl/TypInfo.h"
#include "src/ComUnits/uVRXRes.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ulanguagesdm.h"

RTL_CLASS_IMPL_CREATABLE(TComBaseForm, TVariantForm)

namespace {

uint8_t ReadLanguageFlags() {
  const TLanguagesDM* pack = GetComLanguages();
  if (!pack) return 0;
  uint8_t flags = 0;
  if (pack->IsNecessaryAplTrans()) flags |= TComBaseForm::lfAplTranslation;
  if (pack->IsNecessaryRepTrans()) flags |= TComBaseForm::lfRepTranslation;
  return flags;
}

// The format a date control shows: the time format for a pure time, the date-time format when
// it shows both.
String LocaleFormatFor(const String& format) {
  const bool hasHour = format.find_first_of("Hh") != String::npos;
  const bool hasDay = format.find_first_of("Dd") != String::npos;
  if (!hasHour) return VRXDateFormat();
  if (!hasDay) return VRXTimeFormat();
  return VRXDateTimeFormat();
}

}  // namespace

void TComBaseForm::Construct(TComponent* owner) {
  FLanguageFlags = ReadLanguageFlags();
  if (FLanguageFlags & lfAplTranslation) FExclusions = std::make_unique<std::vector<TComponent*>>();
  inherited::Construct(owner);
  if (VRXResLoaded()) LoadResources();
  TranslateCaptions();
}

void TComBaseForm::ReadResource() {
  inherited::ReadResource();
  SetName("ComBaseForm");
  SetCaption("ComBaseForm");
  Font()->SetName("Tahoma");
  Font()->SetHeight(-11);
  SetScaled(false);
  SetOldCreateOrder(false);
  OnClose = TCloseEvent(this, &TComBaseForm::FormClose);
  OnCreate = TNotifyEvent(this, &TComBaseForm::FormCreate);
  OnDestroy = TNotifyEvent(this, &TComBaseForm::FormDestroy);
  OnShow = TNotifyEvent(this, &TComBaseForm::FormShow);

  VRXSourcesReference = TVRXSourcesReference::Create(this);
  VRXSourcesReference->SetName("VRXSourcesReference");
  ActionList1 = TActionList::Create(this);
  ActionList1->SetName("ActionList1");
  acDBGExist = TAction::Create(this);
  acDBGExist->SetName("acDBGExist");
  acDBGExist->SetActionList(ActionList1);
  acDBGExist->SetShortCut(TextToShortCut("Shift+Ctrl+F12"));
  acDBGExist->OnExecute = TNotifyEvent(this, &TComBaseForm::acDBGExistExecute);
}

void TComBaseForm::Destroy() {
  FExclusions.reset();
  inherited::Destroy();
  if (FSources) FSources->Free();
  FSources = nullptr;
}

void TComBaseForm::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != TOperation::opRemove || !FExclusions) return;
  std::erase(*FExclusions, component);
}

void TComBaseForm::DontTranslate(TComponent* component) {
  if (!FExclusions || !component || IsExcludedFromTranslation(component)) return;
  FExclusions->push_back(component);
  component->FreeNotification(this);
}

bool TComBaseForm::IsExcludedFromTranslation(const TComponent* component) const {
  return FExclusions &&
         std::find(FExclusions->begin(), FExclusions->end(), component) != FExclusions->end();
}

void TComBaseForm::TranslateCaptions() {
  if (!FSources) FSources = TStringList::Create();
  VRXSourcesReference->SetSources(FSources);
  DontTranslate(VRXSourcesReference);
}

void TComBaseForm::DoShow() {
  inherited::DoShow();
  if (FClosed) return;
  TranslateWindow();
  AfterTranslate();
  DropExclusions();
}

void TComBaseForm::DropExclusions() {
  if (!FExclusions) return;
  for (TComponent* component : *FExclusions) component->RemoveFreeNotification(this);
  FExclusions.reset();
}

void TComBaseForm::FormCreate(TObject* sender) {
  FClosed = false;
  if (!FExtraPhrases) FExtraPhrases = TStringList::Create();
  LinkSourcesAndFormats(this);
}

void TComBaseForm::LinkSourcesAndFormats(TWinControl* parent) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (IsPublishedProp(control, "SourceReference")) {
      if (control->Is<TScrollDateTime>()) DontTranslate(control);
      SetObjectProp(control, "SourceReference", VRXSourcesReference);
    }
    if (IsPublishedProp(control, "Format") && IsPublishedProp(control, "Date")) {
      SetPropValue(control, "Format", LocaleFormatFor(GetPropValue(control, "Format").AsString()));
    }
    if (auto* container = dynamic_cast<TWinControl*>(control)) LinkSourcesAndFormats(container);
  }
}

void TComBaseForm::FormClose(TObject* sender, TCloseAction& action) { FClosed = true; }

void TComBaseForm::FormDestroy(TObject* sender) {
  if (FExtraPhrases) FExtraPhrases->Free();
  FExtraPhrases = nullptr;
}
