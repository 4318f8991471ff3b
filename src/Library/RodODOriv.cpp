// The exported functions: each runs its dialog through the call frame with the presets the host
// relies on.
#include "src/Library/RodODOriv.h"

#include "platform/rtl/MessageSink.h"
#include "src/Library/uCallFrame.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "src/SelectForms/uSelectEmByGroup.h"
#include "src/SelectForms/uSelectEmitent.h"
#include "src/SelectForms/uSelectEmitentFilial.h"
#include "src/SelectForms/uSelectGroup.h"
#include "src/SelectForms/uSelectGrpEmt.h"
#include "src/SelectForms/uSelectGrpTO.h"
#include "src/SelectForms/uSelectShiftTO.h"
#include "src/SelectForms/uSelectSinglePOS.h"
#include "src/SelectForms/uSelectSingleTerminal.h"
#include "src/SelectForms/uSelectTO.h"
#include "src/SelectForms/uSelectTOWithoutGrSF.h"
#include "src/SelectForms/ufrmSelectTOGrExpSF.h"

namespace {

constexpr int OwnPointsChoice = 0;  // "Свои"

void ShowOwnPointsOnly(TSelectTO* dialog) {
  dialog->rgFilter->SetItemIndex(OwnPointsChoice);
  dialog->Panel3->SetVisible(false);
}

// Kinds of the point family: 0 the points, 1 and 2 their groups; anything else is a bad call.
bool IsPointKind(uint8_t mode) {
  if (mode <= 2) return true;
  StartLibrary();
  ShowMessage(TranslateAplText(rstr_msg_BagCallMethodFunction));
  return false;
}

bool RunEmitents(TOraSession* session, const String& schema, TDBItemList* list, bool multiSelect,
                 const std::function<void(TSelectEmitent*)>& preset) {
  return RunOnHostList<TSelectEmitent>(session, schema, multiSelect, list, preset);
}

bool RunGroups(TOraSession* session, const String& schema, TDBItemList* list, int kind) {
  const bool multiSelect = TSelectGroup::SetGroupKind(kind);
  return RunOnHostList<TSelectGroup>(session, schema, multiSelect, list, [&](TSelectGroup* dialog) {
    dialog->SetSession(session);
    dialog->SetShema(schema);
    dialog->SetMultiSelect(multiSelect);
  });
}

}  // namespace

extern "C" {

bool GetTOList(TOraSession* session, const String& schema, int32_t, TDBItemList* list) {
  return RunOnHostList<TSelectTO>(session, schema, true, list);
}

bool GetTOList2(TOraSession* session, const String& schema, uint8_t mode, TDBItemList*& list) {
  if (!IsPointKind(mode)) return false;
  if (mode == 0) return RunOnHostList<TSelectTO>(session, schema, true, list);
  return RunOnHostList<TSelectGrpTO>(session, schema, true, list);
}

bool GetTOWithoutGrSFList(TOraSession* session, const String& schema, int32_t, TDBItemList*& list) {
  return RunOnHostList<TSelectTOWithoutGrSF>(session, schema, true, list);
}

bool ShowTOWithoutGrSFListWarning(TOraSession* session, const String& schema) {
  TSelectTOWithoutGrSF* dialog = CreateDialog<TSelectTOWithoutGrSF>(session, schema, true);
  FreeOnExit freeDialog(dialog);
  return dialog->ShowAsWarning();
}

bool GetMyTOList(TOraSession* session, const String& schema, TDBItemList* list) {
  return RunOnHostList<TSelectTO>(session, schema, true, list, [](TSelectTO* dialog) {
    dialog->Panel3->SetVisible(false);
    dialog->rgFilter->SetItemIndex(OwnPointsChoice);
    dialog->OraQuery1->SetFilter("((MYEMITENT = 1) AND (MYFILIAL = 1))");
    dialog->OraQuery1->SetFiltered(true);
  });
}

bool GetListMyPOS(TOraSession* session, const String& schema, int32_t, TDBItemList* list) {
  return RunOnHostList<TSelectTO>(session, schema, true, list, ShowOwnPointsOnly);
}

bool GetSinglePOS(TOraSession* session, const String& schema, TDBItem*& item) {
  return RunOnSingleRecord<TFormSelectSinglePOS>(session, schema, item,
                                                 [](TFormSelectSinglePOS*) {});
}

bool GetSingleTerminal(TOraSession* session, const String& schema, TDBItem*& item) {
  return RunOnSingleRecord<TSelectSingleTerminal>(session, schema, item,
                                                  [](TSelectSingleTerminal*) {});
}

bool GetShiftTO(TOraSession* session, const String& schema, int32_t, TDBItemList* list) {
  return RunOnHostList<TSelectShiftTO>(session, schema, true, list);
}

bool GetPosGroupsForSF(TOraSession* session, const String& schema, TDBItemList* list) {
  return RunOnHostList<TfrmSelectTOGrExpSF>(session, schema, true, list);
}

bool GetPosFromGrpPos(TOraSession* session, const String& schema, TDataSet* dataSet) {
  StartLibrary();
  return TSelectGrpTO::MarkPointsByGroup(session, schema, dataSet);
}

bool GetEmitList(TOraSession* session, const String& schema, TDBItemList* list,
                 uint8_t excludeOwn) {
  return RunEmitents(session, schema, list, true,
                     [&](TSelectEmitent* dialog) { dialog->SetExcludeOurEmit(excludeOwn); });
}

bool GetEmitent(TOraSession* session, const String& schema, TDBItemList* list) {
  return RunEmitents(session, schema, list, false,
                     [](TSelectEmitent* dialog) { dialog->ToolButton3->SetVisible(false); });
}

bool GetDEmitList(TOraSession* session, const String& schema, TDBItemList* list,
                  uint8_t excludeOwn) {
  return RunEmitents(session, schema, list, true, [&](TSelectEmitent* dialog) {
    dialog->UseDEmitents();
    dialog->SetExcludeOurEmit(excludeOwn);
  });
}

bool GetGrpEmt(TOraSession* session, const String& schema, TDBItemList* list) {
  return RunOnHostList<TSelectGrpEmt>(session, schema, true, list);
}

bool GetEmitentFilial(TOraSession* session, const String& schema, TDBItemList* list, int32_t mode) {
  TSelectEmitentFrm::SetFilterMode(mode);
  return RunOnHostList<TSelectEmitentFrm>(session, schema, true, list);
}

bool GetSingleGroupEmit(TOraSession* session, const String& schema, TDBItemList* list) {
  return RunGroups(session, schema, list, 1);
}

bool GetGroupsClients(TOraSession* session, const String& schema, TDBItemList* list) {
  return RunGroups(session, schema, list, 2);
}

bool GetSelEmByGroup(TOraSession* session, const String& schema, TDataSet* dataSet) {
  StartLibrary();
  return TSelectEmByGrp::GetSelEmByGroup(session, schema, dataSet);
}

}  // extern "C"
