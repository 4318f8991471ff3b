#include "src/SelectForms/uSelectEmByGroup.h"

#include "platform/rtl/ScopeGuard.h"
#include "src/ComUnits/uComFormLibInt.h"
#include "src/ComUnits/uComFunctions.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"
#include "src/SelectForms/uEmitentFields.h"

RTL_CLASS_IMPL_CREATABLE(TSelectEmByGrp, TSelectBaseFrm)

namespace {

constexpr TColor NotInWorkColor = 8421504;
constexpr int MarkingButtonsSpace = 300;

void SetOrdering(TOraQuery* query, const char* field) {
  query->MacroByName("ORDER")->SetValue("ORDER BY");
  query->MacroByName("FIELD")->SetValue(field);
}

// Marks the caller's rows of the items; the captions of items that are not rows are collected.
void MarkFoundRows(TDataSet* dataSet, const TDBItemList* items, TStrings* notFound) {
  TField* checkField = dataSet->FieldByName("RCHECK");
  for (int i = 0; i < items->Count(); ++i) {
    const TDBItem* item = items->Items(i);
    if (dataSet->Locate("ID", Variant(item->GetID()))) {
      SetCheckFldValue(checkField, true);
    } else {
      notFound->Add(item->Name);
    }
  }
}

}  // namespace

void TSelectEmByGrp::Construct(TComponent* owner, TOraSession* session, const String& schema,
                               bool multiSelect) {
  TDlgBaseForm::Construct(owner, session, schema, true, 0);
  SetMultiSelect(multiSelect);
}

void TSelectEmByGrp::ReadResource() {
  inherited::ReadResource();
  SetName("SelectEmByGrp");
  SetCaption("Выбор эмитентов по группе");
  ReadGroupQueries();
  ReadGrids();

  OkBtn->SetCaption("Добавить");
  OkBtn->SetHint("Добавить выбранные данные");
  OkBtn->OnClick = TNotifyEvent(this, &TSelectEmByGrp::OkBtnClick);
  btnReplace = TBitBtn::Create(this);
  btnReplace->SetName("btnReplace");
  btnReplace->SetParent(Panel1);
  btnReplace->SetBounds(296, 8, 97, 27);
  btnReplace->SetAnchors(akTop | akRight);
  btnReplace->SetCaption("Заменить");
  btnReplace->SetHint("Заменить выбранными данными");
  btnReplace->SetShowHint(true);
  btnReplace->OnClick = TNotifyEvent(this, &TSelectEmByGrp::btnReplaceClick);
}

void TSelectEmByGrp::ReadGroupQueries() {
  OraQuery1->SQL()->SetText("SELECT * FROM &shema.v_emitentgroup\r\n&ORDER &FIELD");
  SetOrdering(OraQuery1, "ID");
  OraQuery1->OnCalcFields = TDataSetNotifyEvent(this, &TSelectEmByGrp::OraQuery1CalcFields);
  OraQuery1->AfterOpen = TDataSetNotifyEvent(this, &TSelectEmByGrp::OraQuery1AfterOpen);
  DeclareFields(this, OraQuery1,
                {{"RCHECK", TFieldClass::Text, 1, "В отчет", 8},
                 {"Caption", TFieldClass::Calculated, 200, "[№ Группы] Название", 24},
                 {"FIRM_NAME", TFieldClass::Text, 40, "Название фирмы", 34},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40},
                 {"DESCRIPTION", TFieldClass::Text, 100}});

  V_GROUPITEM = TOraQuery::Create(this);
  V_GROUPITEM->SetName("V_GROUPITEM");
  V_GROUPITEM->SetSession(MainSession);
  V_GROUPITEM->SQL()->SetText("SELECT * FROM &shema.v_emitentgroupitem\r\n&ORDER &FIELD");
  SetOrdering(V_GROUPITEM, "ID");
  V_GROUPITEM->SetMasterSource(DataSource1);
  V_GROUPITEM->SetMasterFields("ID");
  V_GROUPITEM->SetDetailFields("ID_GROUP");
  V_GROUPITEM->OnCalcFields = TDataSetNotifyEvent(this, &TSelectEmByGrp::OraQuery1CalcFields);
  DeclareFields(this, V_GROUPITEM,
                {{"Caption", TFieldClass::Calculated, 200, "[№ Эмитента] Название", 25},
                 {"FIRM_NAME", TFieldClass::Text, 40, "Название фирмы", 29},
                 {"ID_GROUP", TFieldClass::Number},
                 {"ID", TFieldClass::Number},
                 {"NAME", TFieldClass::Text, 40},
                 {"IN_WORK", TFieldClass::Integer}});
  DeclareFirmFields(this, V_GROUPITEM);

  DataSource2 = TDataSource::Create(this);
  DataSource2->SetName("DataSource2");
  DataSource2->SetDataSet(V_GROUPITEM);
}

void TSelectEmByGrp::ReadGrids() {
  DBGrid1 = ReadGrid("DBGrid1", DataSource1, "Группы эмитентов", alLeft);
  DBGrid1->SetWidth(300);
  DBGrid2 = ReadGrid("DBGrid2", DataSource2, "Эмитенты", alClient);
  DBGrid2->OnDrawColumnCell = TDrawColumnCellEvent(this, &TSelectEmByGrp::DBGrid2DrawColumnCell);
}

TDBGrid* TSelectEmByGrp::ReadGrid(const char* name, TDataSource* source, const String& hint,
                                  TAlign align) {
  TDBGrid* grid = TDBGrid::Create(this);
  grid->SetName(name);
  grid->SetParent(this);
  grid->SetAlign(align);
  grid->SetDataSource(source);
  grid->SetHint(hint);
  return grid;
}

void TSelectEmByGrp::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  FReplace = false;
}

void TSelectEmByGrp::OraQuery1CalcFields(TDataSet* dataSet) { CalcCaptionIDNumber(dataSet); }

void TSelectEmByGrp::OraQuery1AfterOpen(TDataSet* dataSet) { V_GROUPITEM->Open(); }

void TSelectEmByGrp::btnReplaceClick(TObject* sender) {
  FReplace = true;
  SetModalResult(mrOk);
}

// "Заменить" refused for want of a marked group must not turn a later "Добавить" into a replace.
void TSelectEmByGrp::OkBtnClick(TObject* sender) { FReplace = false; }

void TSelectEmByGrp::DBGrid2DrawColumnCell(TObject* sender, const TRect& rect, int dataCol,
                                           TColumn* column, TGridDrawState state) {
  if (state & (gdSelected | gdFocused)) return;
  const bool inWork = V_GROUPITEM->FieldByName("IN_WORK")->AsInteger() != 0;
  DBGrid2->Canvas()->Font()->SetColor(inWork ? clBlack : NotInWorkColor);
  DBGrid2->DefaultDrawColumnCell(rect, dataCol, column, state);
}

TDBItem* TSelectEmByGrp::GetDBItem() {
  return TDBItem::Create(static_cast<double>(V_GROUPITEM->FieldByName("ID")->AsInteger()),
                         V_GROUPITEM->FieldByName("Caption")->AsString());
}

void TSelectEmByGrp::AppendList(TDBItemList* list) {
  V_GROUPITEM->Close();
  V_GROUPITEM->ParamByName("ID")->SetAsInteger(OraQuery1->FieldByName("ID")->AsInteger());
  V_GROUPITEM->Open();
  for (V_GROUPITEM->First(); !V_GROUPITEM->Eof(); V_GROUPITEM->Next()) inherited::AppendList(list);
}

void TSelectEmByGrp::ExecReport() {
  if (ActiveControl() == DBGrid1) SetReportDetailQuery(V_GROUPITEM);
  inherited::ExecReport();
}

bool TSelectEmByGrp::GetSelEmByGroup(TOraSession* session, const String& schema,
                                     TDataSet* dataSet) {
  CheckAssigned(dataSet, "TSelectEmByGrp.GetSelEmByGroup: DataSet=nil");
  TSelectEmByGrp* dialog = TSelectEmByGrp::Create(nullptr, session, schema, true);
  FreeOnExit freeDialog(dialog);
  dialog->SetButtonsSpace(MarkingButtonsSpace);
  TDBItemList* items = TDBItemList::Create();
  FreeOnExit freeItems(items);
  TStringList* notFound = TStringList::Create();
  FreeOnExit freeNotFound(notFound);
  if (!dialog->GetList(items)) return false;
  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  if (dialog->Replace()) RSelect(dataSet, 1, "RCHECK");
  MarkFoundRows(dataSet, items, notFound);
  if (notFound->Count() > 0) ShowFileList1(notFound, TranslateAplText(rstr_msg_NotFoundEmitents));
  return true;
}
