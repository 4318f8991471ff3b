#include "src/SelectForms/uSelectGrpTO.h"

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

RTL_CLASS_IMPL_CREATABLE(TSelectGrpTO, TSelectBaseFrm)

void TSelectGrpTO::ReadResource() {
  inherited::ReadResource();
  SetName("SelectGrpTO");
  SetCaption("Выбор групп ТО");
  OraQuery1->SQL()->SetText(
      "SELECT *\r\nFROM &SHEMA.V_POSGROUP pg\r\nWHERE pg.id > 0\r\n&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectGrpTO::OraQuery1CalcFields);
  OraQuery1->AfterOpen = TDataSetNotifyEvent(this, &TSelectGrpTO::OraQuery1AfterRefresh);
  OraQuery1->AfterScroll = TDataSetNotifyEvent(this, &TSelectGrpTO::OraQuery1AfterRefresh);
  OraQuery1->AfterRefresh = TDataSetNotifyEvent(this, &TSelectGrpTO::OraQuery1AfterRefresh);
  ReadGroupsSide();
  ReadMembersSide();
  ReadMarkingPanel();
}

void TSelectGrpTO::ReadGroupsSide() {
  TField* check = DeclareTextField(OraQuery1, "RCHECK", 1, "Выбор", 6);
  DeclareField<TIntegerField>(OraQuery1, "ID");
  DeclareTextField(OraQuery1, "NAME", 120);
  DeclareTextField(OraQuery1, "DESCRIPTION", 100);
  DeclareField<TIntegerField>(OraQuery1, "ID_FIRM");
  DeclareTextField(OraQuery1, "FIRM_NAME", 120);
  TField* inn = DeclareTextField(OraQuery1, "FIRM_INN", 30, "ИНН", 13);
  DeclareTextField(OraQuery1, "NAME_FOR_REPORT", 512);
  DeclareField<TIntegerField>(OraQuery1, "USE_IN_EXP_INVOICE");
  TField* caption = DeclareCalcField(OraQuery1, "Caption", 200, "[№ Группы ТО] Название", 32);
  TField* firm = DeclareCalcField(OraQuery1, "FirmCaption", 200, "[№ Фирмы] Название", 30);

  PanelGroups = TPanel::Create(this);
  PanelGroups->SetName("PanelGroups");
  PanelGroups->SetParent(this);
  PanelGroups->SetAlign(alLeft);
  PanelGroups->SetWidth(340);
  PanelGroups->SetBevelOuter(bvNone);
  DBMemo1 = TDBMemo::Create(this);
  DBMemo1->SetName("DBMemo1");
  DBMemo1->SetParent(PanelGroups);
  DBMemo1->SetAlign(alBottom);
  DBMemo1->SetReadOnly(true);
  DBMemo1->Font()->SetStyle(fsBold);
  DBMemo1->Font()->SetColor(clNavy);
  DBMemo1->SetDataSource(DataSource1);
  DBMemo1->SetDataField("DESCRIPTION");
  DBGrid2 = ReadListGrid(this, PanelGroups, "DBGrid2", DataSource1, "Группы ТО");
  ShowGridFields(DBGrid2, {check, caption, firm, inn});
  Splitter1 = TSplitter::Create(this);
  Splitter1->SetName("Splitter1");
  Splitter1->SetParent(this);
  Splitter1->SetAlign(alLeft);
}

void TSelectGrpTO::ReadMembersSide() {
  SPTOinGr = TOraStoredProc::Create(this);
  SPTOinGr->SetName("SPTOinGr");
  SPTOinGr->SetSession(MainSession);
  SPTOinGr->SetStoredProcName("xxx.POSGROUPPACK.GET_POS_IN_GROUP");
  SPTOinGr->OnCalcFields = TDataSetNotifyEvent(this, &TSelectGrpTO::SPTOinGrCalcFields);
  DeclareTextField(SPTOinGr, "NAME", 4000);
  DeclareField<TIntegerField>(SPTOinGr, "ID_POS");
  DeclareField<TIntegerField>(SPTOinGr, "ID_EMITENT");
  DeclareField<TIntegerField>(SPTOinGr, "ID_FILIAL");
  TField* caption = DeclareCalcField(SPTOinGr, "Caption", 200, "[Эмитент, Филиал, № ТО] Название");
  DataSource2 = TDataSource::Create(this);
  DataSource2->SetName("DataSource2");
  DataSource2->SetDataSet(SPTOinGr);
  DBGrid3 = ReadListGrid(this, this, "DBGrid3", DataSource2, "ТО");
  ShowGridFields(DBGrid3, {caption});
}

void TSelectGrpTO::ReadMarkingPanel() {
  PanelSelPosFromGroup = TPanel::Create(this);
  PanelSelPosFromGroup->SetName("PanelSelPosFromGroup");
  PanelSelPosFromGroup->SetParent(this);
  PanelSelPosFromGroup->SetAlign(alBottom);
  PanelSelPosFromGroup->SetHeight(39);
  PanelSelPosFromGroup->SetBevelOuter(bvNone);
  BitBtnOkAdd = ReadMarkingButton("BitBtnOkAdd", "Добавить", "Добавить выбранные данные", mrOk);
  BitBtnOkAdd->OnClick = TNotifyEvent(this, &TSelectGrpTO::BitBtnOkAddClick);
  BitBtnOkChange =
      ReadMarkingButton("BitBtnOkChange", "Заменить", "Заменить выбранными данными", mrOk);
  BitBtnOkChange->OnClick = TNotifyEvent(this, &TSelectGrpTO::BitBtnOkChangeClick);
  BitBtnCancel = ReadMarkingButton("BitBtnCancel", "Отменить", "Отменить", mrCancel);
  BitBtnCancel->SetCancel(true);
}

TBitBtn* TSelectGrpTO::ReadMarkingButton(const char* name, const String& caption,
                                         const String& hint, TModalResult result) {
  TBitBtn* button = TBitBtn::Create(this);
  button->SetName(name);
  button->SetParent(PanelSelPosFromGroup);
  button->SetCaption(caption);
  button->SetHint(hint);
  button->SetShowHint(true);
  button->SetModalResult(result);
  return button;
}

void TSelectGrpTO::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  Panel1->SetVisible(true);
  PanelSelPosFromGroup->SetVisible(false);
}

void TSelectGrpTO::SetMarkingMode() {
  PanelSelPosFromGroup->SetVisible(true);
  Panel1->SetVisible(false);
}

// The member dataset is a cursor of the stored function: it follows the current group by being
// opened again with that group's number.
void TSelectGrpTO::OraQuery1AfterRefresh(TDataSet* dataSet) {
  SPTOinGr->Close();
  if (dataSet->IsEmpty()) return;
  SPTOinGr->ParamByName("PID_GROUP")->SetAsInteger(dataSet->FieldByName("ID")->AsInteger());
  SPTOinGr->Open();
}

void TSelectGrpTO::OraQuery1CalcFields(TDataSet* dataSet) {
  dataSet->FieldByName("Caption")->SetAsString(
      Format("[%s] %s",
             {dataSet->FieldByName("ID")->AsString(), dataSet->FieldByName("NAME")->AsString()}));
  TField* firm = dataSet->FieldByName("ID_FIRM");
  dataSet->FieldByName("FirmCaption")
      ->SetAsString(firm->IsNull()
                        ? TranslateAplText(rstrNoFrm)
                        : Format("[%s] %s", {firm->AsString(),
                                             dataSet->FieldByName("FIRM_NAME")->AsString()}));
}

void TSelectGrpTO::SPTOinGrCalcFields(TDataSet* dataSet) { CalcPointCaption(dataSet, "ID_FILIAL"); }

void TSelectGrpTO::BitBtnOkAddClick(TObject* sender) { FReplace = false; }

void TSelectGrpTO::BitBtnOkChangeClick(TObject* sender) { FReplace = true; }

void TSelectGrpTO::ExecReport() {
  if (ActiveControl() != DBGrid2 || OraQuery1->IsEmpty()) {
    inherited::ExecReport();
    return;
  }
  GridReport(OraQuery1, SPTOinGr, DBGrid2->Hint(), DBGrid3->Hint(), Caption());
}

// --- marking the caller's points by group ---------------------------------------------------

void TSelectGrpTO::MarkChosenPoints(TDataSet* dataSet, const String& keyFields,
                                    TStrings* notFound) {
  TField* groupCheck = OraQuery1->FieldByName(CheckFieldName());
  for (OraQuery1->First(); !OraQuery1->Eof(); OraQuery1->Next()) {
    if (!GetCheckFldValue(groupCheck)) continue;
    for (SPTOinGr->First(); !SPTOinGr->Eof(); SPTOinGr->Next()) {
      const Variant key = VarArrayOf({SPTOinGr->FieldByName("ID_EMITENT")->AsInteger(),
                                      SPTOinGr->FieldByName("ID_FILIAL")->AsInteger(),
                                      SPTOinGr->FieldByName("ID_POS")->AsInteger()});
      if (dataSet->Locate(keyFields, key)) {
        dataSet->Edit();
        dataSet->FieldByName("RCHECK")->SetAsString("+");
        dataSet->Post();
        continue;
      }
      const String name = SPTOinGr->FieldByName("Caption")->AsString();
      if (notFound->IndexOf(name) < 0) notFound->Add(name);
    }
  }
}

bool TSelectGrpTO::MarkPointsByGroup(TOraSession* session, const String& schema,
                                     TDataSet* dataSet) {
  if (!dataSet) throw Exception("TSelectGrpTO.MarkPointsByGroup: DataSet=nil");
  const String keyFields = dataSet->FindField("ID_FILIAL") ? "ID_EMITENT;ID_FILIAL;ID_POS"
                                                           : "ID_EMITENT;ID_FILIALA;ID_POS";
  TSelectGrpTO* form = TSelectGrpTO::Create(nullptr, session, schema, false);
  FreeOnExit freeForm(form);
  form->SetMarkingMode();
  form->SetMultiSelect(true);
  form->SetCaption(TranslateAplText(rstrSelectAllToByGroup));
  if (!form->OraQuery1->Active()) form->OraQuery1->Open();
  form->FReplace = false;
  form->SetSession(session);
  form->SetShema(schema);
  if (!form->ExecuteModal()) return false;

  TBookmark bookmark;
  if (form->FReplace) {
    dataSet->Refresh();
  } else {
    bookmark = dataSet->GetBookmark();
  }
  TStringList* notFound = TStringList::Create();
  FreeOnExit freeNotFound(notFound);
  {
    dataSet->DisableControls();
    Finally enable([dataSet] { dataSet->EnableControls(); });
    form->MarkChosenPoints(dataSet, keyFields, notFound);
    if (!form->FReplace && dataSet->BookmarkValid(bookmark)) {
      dataSet->GotoBookmark(bookmark);
    } else {
      dataSet->Locate("RCHECK", Variant(String("+")));
    }
  }
  if (notFound->Count() > 0)
    ShowFileList1(notFound, TranslateAplText(rstr_msg_NotFoundSelectedRecords));
  return true;
}
