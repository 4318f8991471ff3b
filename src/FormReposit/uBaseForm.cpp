#include "src/FormReposit/uBaseForm.h"

#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Dialogs.h"
#include "src/ComUnits/uBaseFormSettings.h"
#include "src/ComUnits/uChkCount.h"
#include "src/ComUnits/uComFormGFG.h"
#include "src/ComUnits/uLocalSettings.h"
#include "src/ComUnits/uOraFunctions.h"
#include "src/ComUnits/uScrollComponents.h"
#include "src/ComUnits/uVRXRes.h"
#include "src/ResourcePack/Ucomcolors.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

RTL_CLASS_IMPL_CREATABLE(TBaseForm, TComBaseForm)

namespace {

const char* const DataActionsCategory = "popup menu на ведущий набор";

// Field tags the grid tools read: which tools offer the field.
constexpr int32_t AllToolsTag = 0xFF;
constexpr int32_t ViewOnlyToolsTag = 0xFC;

bool IsSimpleFieldType(TFieldType type) {
  switch (type) {
    case ftString:
    case ftWideString:
    case ftFixedChar:
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
    case ftAutoInc:
    case ftBoolean:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
    case ftBlob:
    case ftMemo:
    case ftFmtMemo:
    case ftOraBlob:
    case ftOraClob:
    case ftVariant:
      return true;
    default:
      return false;
  }
}

String Translated(const String& text) { return TranslateAplText(text); }

bool IsDetailOf(const TDataSet* detail, const TDataSet* master) {
  return detail->MasterSource() && detail->MasterSource()->DataSet() == master;
}

}  // namespace

// --- construction ---------------------------------------------------------------------------

void TBaseForm::Construct(TComponent* owner) { Construct(owner, String(), nullptr, String()); }

void TBaseForm::Construct(TComponent* owner, TOraSession* session, const String& schema) {
  Construct(owner, String(), session, schema);
}

void TBaseForm::Construct(TComponent* owner, const String& mode, TOraSession* session,
                          const String& schema) {
  InitConnection(mode, session, schema);
  inherited::Construct(owner);
  if (OldCreateOrder()) {
    CompleteBaseForm();
  } else {
    InitBaseForm();
  }
}

void TBaseForm::InitConnection(const String& mode, TOraSession* session, const String& schema) {
  FMayChangeConnection = true;
  FMode = mode;
  FCanClose = false;
  FOccupiedMessage = CaseMessageTxt("TBaseForm.Create: Приложение занято",
                                    "TBaseForm.Create: The application occupied");
  FSession = session;
  if (FSession) FSession->FreeNotification(this);
  FSchema = Trim(schema.empty() && session ? session->Username() : schema);
  if (session) SetDefaultSession(session);
  FConnectionKnown = session && !FSchema.empty();
}

void TBaseForm::ReadResource() {
  inherited::ReadResource();
  SetName("BaseForm");
  SetCaption("BaseForm");
  SetOldCreateOrder(true);
  SetPosition(poScreenCenter);
  OnCloseQuery = TCloseQueryEvent(this, &TBaseForm::FormCloseQuery);

  MainSession = TOraSession::Create(this);
  MainSession->SetName("MainSession");
  MainSession->BeforeConnect = TNotifyEvent(this, &TBaseForm::AnotherBeforeConnect);

  OraQuery1 = TOraQuery::Create(this);
  OraQuery1->SetName("OraQuery1");
  OraQuery1->SetSession(MainSession);
  OraQuery1->SQL()->SetText("SELECT * FROM &shema\r\n&ORDER &FIELD");
  OraQuery1->MacroByName("ORDER")->SetValue("ORDER BY");
  OraQuery1->MacroByName("FIELD")->SetValue("ID");
  OraQuery1->SQLRefresh()->SetText("WHERE\r\n  ID = :ID");
  OraQuery1->SQLUpdate()->SetText("begin\r\nnull;\r\nend;");
  OraQuery1->SetLocalUpdate(true);

  ImageList1 = TImageList::Create(this);
  ImageList1->SetName("ImageList1");
  for (int i = 0; i < 12; ++i) {
    TBitmap* image = TBitmap::Create();
    FreeOnExit freeImage(image);
    image->SetWidth(16);
    image->SetHeight(16);
    ImageList1->Add(image);
  }

  FrmQSearch1 = TFrmQSearch::Create(this);
  FrmQSearch1->SetName("FrmQSearch1");
  FrmQSearch1->SetSourceReference(VRXSourcesReference);

  ActionList1->SetImages(ImageList1);
  ActionList1->OnUpdate = TActionEvent(this, &TBaseForm::ActionList1Update);
  ReadAction(EmptyAction, "EmptyAction", "EmptyAction", "Ctrl+Del", -1, &TBaseForm::NothingAction);
  ReadAction(EmptyAction1, "EmptyAction1", "EmptyAction1", "Shift+Ctrl+Del", -1,
             &TBaseForm::NothingAction);
  ReadAction(pFind, "pFind", "Найти…", "Ctrl+F", 0, &TBaseForm::ExecFindAction);
  ReadAction(pSort, "pSort", "Сортировка…", "Ctrl+S", 1, &TBaseForm::ExecSortAction);
  ReadAction(pReport, "pReport", "Отчёт…", "Ctrl+R", 2, &TBaseForm::ExecReportAction);
  ReadAction(pFilter, "pFilter", "Фильтр…", "Ctrl+A", 8, &TBaseForm::ExecFilterAction);
  ReadAction(pFirst, "pFirst", "На первую запись", "Ctrl+Alt+F", 3, &TBaseForm::FirstAction);
  ReadAction(pPrev, "pPrev", "На предыдущую запись", "Ctrl+Alt+P", 4, &TBaseForm::PrevAction);
  ReadAction(pNext, "pNext", "На следующую запись", "Ctrl+Alt+N", 5, &TBaseForm::NextAction);
  ReadAction(pLast, "pLast", "На последнюю запись", "Ctrl+Alt+L", 6, &TBaseForm::LastAction);
  ReadAction(pRefresh, "pRefresh", "Обновить данные", "Ctrl+Alt+R", 7, &TBaseForm::RefreshAction);

  PopupMenu1 = TPopupMenu::Create(this);
  PopupMenu1->SetName("PopupMenu1");
  PopupMenu1->SetImages(ImageList1);
  ReadMenuItem(pFind1, "pFind1", pFind);
  ReadMenuItem(pSort1, "pSort1", pSort);
  ReadMenuItem(pReport1, "pReport1", pReport);
  ReadMenuItem(pFilter1, "pFilter1", pFilter);
  ReadMenuItem(N1, "N1", nullptr);
  ReadMenuItem(pFirst1, "pFirst1", pFirst);
  ReadMenuItem(pPrev1, "pPrev1", pPrev);
  ReadMenuItem(pNext1, "pNext1", pNext);
  ReadMenuItem(pLast1, "pLast1", pLast);
  ReadMenuItem(N3, "N3", nullptr);
  ReadMenuItem(pRefresh1, "pRefresh1", pRefresh);
  SetPopupMenu(PopupMenu1);
}

void TBaseForm::ReadAction(TAction*& action, const char* name, const String& caption,
                           const char* shortCut, int imageIndex,
                           void (TBaseForm::*handler)(TObject*)) {
  action = TAction::Create(this);
  action->SetName(name);
  action->SetActionList(ActionList1);
  action->SetCaption(caption);
  action->SetShortCut(TextToShortCut(shortCut));
  action->SetImageIndex(imageIndex);
  if (imageIndex >= 0) action->SetCategory(DataActionsCategory);
  action->OnExecute = TNotifyEvent(this, handler);
}

void TBaseForm::ReadMenuItem(TMenuItem*& item, const char* name, TAction* action) {
  item = TMenuItem::Create(this);
  item->SetName(name);
  if (action) {
    item->SetAction(action);
  } else {
    item->SetCaption("-");
  }
  PopupMenu1->Items()->Add(item);
}

void TBaseForm::DoCreate() {
  if (OldCreateOrder()) InitBaseForm();
  const int before = ComponentCount();
  inherited::DoCreate();
  for (int i = before; i < ComponentCount(); ++i) {
    TComponent* added = Components(i);
    if (FConnectionKnown) {
      SetShemaForComponent(added, FSchema);
      SetSessionForComponents(added, FSession);
    }
    PrepareMacrosOf(added);
  }
  if (!OldCreateOrder()) CompleteBaseForm();
}

void TBaseForm::AfterConstruction() {
  inherited::AfterConstruction();
  FConstructed = true;
  FCanClose = true;
}

void TBaseForm::InitBaseForm() {
  FCloseWorkDone = false;
  String errorText;
  if (!FillAccess(errorText) && !errorText.empty()) throw Exception(errorText);
  FGridSettings = TObjectList::Create(true);
  FGridInterfaces = TDBIntList::Create();
  FCheckCounter = TChkStateList::Create(TChkGridLookup(this, &TBaseForm::GridOfDataSet), this);
  FCheckCounter->SetChangeHook(TCheckCountChangedEvent(this, &TBaseForm::CheckCountChanged), this);
  FHandlers = TScrollComponentList::Create(this);
  FNavigateActiveGrid = true;
  FCheckFieldName = "RCHECK";
  SetMainDataSet(OraQuery1);
  FMainQuery = OraQuery1;
  FSavedOnPopup = PopupMenu1->OnPopup;
  PopupMenu1->OnPopup = TNotifyEvent(this, &TBaseForm::PopupMenuPopup);
  ApplyConnection();
}

void TBaseForm::ApplyConnection() {
  if (!FConnectionKnown) return;
  SetSessionForComponents(this, FSession);
  fSetShema(this, FSchema);
}

void TBaseForm::CompleteBaseForm() {
  const int before = ComponentCount();
  CreateComponents();
  if (ComponentCount() != before) {
    FHandlers->Refresh();
    for (int i = before; i < ComponentCount(); ++i) PrepareMacrosOf(Components(i));
  }
  if (IsDebugMode()) CheckGridHints();
  PrepareComponents();
}

void TBaseForm::PrepareMacrosOf(TComponent* component) {
  auto* query = dynamic_cast<TOraDataSet*>(component);
  if (!query) return;
  for (int i = 0; i < query->Macros()->Count(); ++i)
    PrepareQueryMacros(query, query->Macros()->Items(i));
}

void TBaseForm::PrepareComponents() {
  for (int i = 0; i < ComponentCount(); ++i) PrepareMacrosOf(Components(i));
  RegisterComponentHandlers();
  FHandlers->Refresh();
  FHandlers->Run();
  UnregisterComponentHandlers();
}

void TBaseForm::CheckGridHints() {
  String missing;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* grid = dynamic_cast<TCustomGrid*>(Components(i));
    if (grid && grid->Hint().empty()) missing += "\r\n" + grid->Name();
  }
  if (missing.empty()) return;
  const String text = Name() + ":" +
                      CaseMessageTxt("У компонента TGrid не назначено свойство ",
                                     "For grid is not assigned property ") +
                      "\"Hint\"" + missing;
  ShowKindMessage(text, 2);
}

// --- component handlers -----------------------------------------------------------------------

namespace {

using TComponentHandler = void (TBaseForm::*)(TComponent*);
struct THandlerEntry {
  TClass (*Class)();
  TComponentHandler Handler;
};

// Set-up handlers by component class, in the order they run.
const THandlerEntry SetupHandlers[] = {
    {&TCustomGrid::ClassInfo, &TBaseForm::SettDBGrid},
    {&TToolBar::ClassInfo, &TBaseForm::SetupToolBar},
    {&TDBNavigator::ClassInfo, &TBaseForm::SetupNavigator},
    {&TCustomLabel::ClassInfo, &TBaseForm::SetupLabel},
    {&TCustomEdit::ClassInfo, &TBaseForm::SetupEdit},
    {&TOraQuery::ClassInfo, &TBaseForm::SetQueryEvents},
};
const THandlerEntry RestoreOrderHandler = {&TOraQuery::ClassInfo, &TBaseForm::RestoreQueryOrder};

}  // namespace

void TBaseForm::RegisterComponentHandlers() {
  for (const THandlerEntry& entry : SetupHandlers) {
    FHandlers->AddHandler(entry.Class(), TOnComponentsScrollEvent(this, entry.Handler));
  }
  if (IsOrderSaving(FSchema)) {
    FHandlers->AddHandler(RestoreOrderHandler.Class(),
                          TOnComponentsScrollEvent(this, RestoreOrderHandler.Handler));
  }
}

void TBaseForm::UnregisterComponentHandlers() {
  for (const THandlerEntry& entry : SetupHandlers) {
    FHandlers->RemoveHandler(entry.Class(), TOnComponentsScrollEvent(this, entry.Handler));
  }
  FHandlers->RemoveHandler(RestoreOrderHandler.Class(),
                           TOnComponentsScrollEvent(this, RestoreOrderHandler.Handler));
}

void TBaseForm::SetQueryEvents(TComponent* query) {
  auto* dataSet = static_cast<TDataSet*>(query);
  if (!dataSet->BeforeDelete)
    dataSet->BeforeDelete = TDataSetNotifyEvent(this, &TBaseForm::DataSetBeforeDelete);
}

void TBaseForm::DataSetBeforeDelete(TDataSet* sender) { Abort(); }

void TBaseForm::SetupEdit(TComponent* component) {
  auto* edit = static_cast<TCustomEdit*>(component);
  if (!edit->Enabled()) {
    edit->SetColor(clDisabled);
  } else if (edit->ReadOnly() && !edit->OnKeyDown) {
    edit->OnKeyDown = TKeyEvent(this, &TBaseForm::EditKeyBeep);
  }
}

void TBaseForm::EditKeyBeep(TObject* sender, uint16_t& key, TShiftState shift) { MessageBeep(0); }

void TBaseForm::SetupToolBar(TComponent* component) {
  auto* toolBar = static_cast<TToolBar*>(component);
  if (toolBar->Align() == alBottom) {
    toolBar->SetEdgeBorders(toolBar->EdgeBorders() | ebLeft | ebRight | ebBottom);
  }
  toolBar->SetWrapable(false);
}

void TBaseForm::SetupNavigator(TComponent* component) {
  auto* navigator = static_cast<TDBNavigator*>(component);
  static const std::pair<TNavigateBtn, int> Glyphs[] = {
      {nbFirst, 101},  {nbPrior, 102}, {nbNext, 103}, {nbLast, 104},   {nbInsert, 106},
      {nbDelete, 108}, {nbEdit, 107},  {nbPost, 109}, {nbCancel, 110}, {nbRefresh, 105}};
  for (const auto& [button, number] : Glyphs) {
    TSpeedButton* speedButton = navigator->Buttons(button);
    if (speedButton && LoadVRXResBitmap(number, speedButton->Glyph())) speedButton->SetNumGlyphs(2);
  }
  SetNavigatorHints(navigator);
  DontTranslate(navigator);
}

void TBaseForm::SetNavigatorHints(TDBNavigator* navigator) {
  TStringList* hints = TStringList::Create();
  FreeOnExit freeHints(hints);
  for (const String* text :
       {&rstr_to_FirstRec, &rstr_to_PriorRec, &rstr_to_NextRec, &rstr_to_LastRec, &rstr_to_Add,
        &rstr_to_Delete, &rstr_to_Change, &rstr_to_Save, &rstr_to_Cancel, &rstr_to_RefreshData}) {
    hints->Add(Translated(*text));
  }
  navigator->SetHints(hints);
  navigator->SetShowHint(true);
}

void TBaseForm::AddAllItem(TObject* sender, TStrings* items) {
  items->Add(Translated(rstrAll));
  items->Add("Все");
}

// --- grids --------------------------------------------------------------------------------------

void TBaseForm::DynamicAssignGridIntClass(TWinControl* grid, TGridInterfacedClass& cls) {
  cls = grid->Is<TCustomDBGrid>() ? TDBGridIntObj::ClassInfo() : TGridInterfaced::ClassInfo();
}

namespace {

bool IsInfoPowerGrid(const TObject* grid) {
  return grid->ClassName() == "TwwDBGrid" ||
         (grid->ClassParent() && String(grid->ClassParent()->Name) == "TwwDBGrid");
}

}  // namespace

IDBGrid* TBaseForm::AssignInterfacedClass(TWinControl* grid) {
  if (!grid->Is<TCustomDBGrid>() && !IsInfoPowerGrid(grid)) return nullptr;
  TGridInterfacedClass cls = nullptr;
  DynamicAssignGridIntClass(grid, cls);
  if (cls == TGridInterfaced::ClassInfo() && IsInfoPowerGrid(grid)) {
    ShowErrorMessage(CaseMessageTxt(
        "TBaseForm.AssignInterfacedClass: Класс интерфейса для компонента \"" + grid->ClassName() +
            "\" не определен.\r\nПереопределите процедуру TBaseForm.DynamicAssignGridIntClass",
        "TBaseForm.AssignInterfacedClass: The class of the interface for the component \"" +
            grid->ClassName() +
            "\" is not defined.\r\nReassign TBaseForm.DynamicAssignGridIntClass procedure!"));
  }
  const int index = FGridInterfaces->Add(CreateGridInterfaced(cls, grid));
  return FGridInterfaces->GetItem(index);
}

void TBaseForm::SettDBGrid(TComponent* component) {
  auto* grid = static_cast<TWinControl*>(component);
  grid->OnMouseWheel = TMouseWheelEvent(this, &TBaseForm::GridMouseWheel);
  TDataSet* dataSet = nullptr;
  Finally tagFields([&] { TagFieldsForTools(dataSet); });
  IDBGrid* gridInt = AssignInterfacedClass(grid);
  if (!gridInt) return;
  dataSet = gridInt->GetDataSet();
  gridInt->SetOptions((gridInt->GetOptions() & ~(dgEditing | dgTabs)) | dgAlwaysShowSelection);
  gridInt->SetCheckFieldName(FCheckFieldName);
  gridInt->GetFont()->SetStyle(TFontStyles());
  TDBGridDrawCellEvent drawHandler;
  gridInt->GetOnDrawCell(drawHandler);
  if (!drawHandler) gridInt->SetOnDrawCell(TDBGridDrawCellEvent(this, &TBaseForm::DrawGridCell));
  if (gridInt->IsCheckFieldVisible()) {
    TField* checkField = gridInt->GetDataSet()->FindField(FCheckFieldName);
    if (checkField->DisplayName() == Translated(rstrIntoReport)) checkField->SetDisplayWidth(7);
    TKeyEvent keyHandler;
    gridInt->GetOnKeyDown(keyHandler);
    if (!keyHandler) gridInt->SetOnKeyDown(TKeyEvent(this, &TBaseForm::GridKeyDown));
    TDBGridCellClickEvent clickHandler;
    gridInt->GetOnCellClick(clickHandler);
    if (!clickHandler)
      gridInt->SetOnCellClick(TDBGridCellClickEvent(this, &TBaseForm::GridCellClick));
  }
  TDataSource* source = gridInt->GetDataSource();
  if (source && source->DataSet()) SetupGridQuery(grid, gridInt, source->DataSet());
}

void TBaseForm::SetupGridQuery(TWinControl* grid, IDBGrid* gridInt, TDataSet* dataSet) {
  if (dataSet->Is<TOraDataSet>()) FCheckCounter->Add(dataSet);
  auto* query = dynamic_cast<TOraQuery*>(dataSet);
  if (!query) return;
  const bool wasPrepared = query->Prepared();
  try {
    if (!wasPrepared) query->Prepare();
  } catch (const Exception& error) {
    ShowKindMessage(PrepareErrorText(query, error.Message()), 1);
  }
  const bool plainSQL = !query->IsPLSQL();
  if (!wasPrepared) query->Unprepare();
  if (FGridSettingsOn && plainSQL) FGridSettings->Add(TDBGridOfQuery::Create(this, gridInt));
}

String TBaseForm::PrepareErrorText(TOraDataSet* query, const String& error) const {
  const String name = query->Name();
  String text =
      "\"" + AnsiUpperCase(name) + "\"\r\n\r\n" +
      CaseMessageTxt("TBaseForm.SettDBGrid: Ошибка исполнения: ",
                     "TBaseForm.SettDBGrid: Error of  executing: ") +
      Name() + "." + name + ".Prepare:\r\n\r\n" + Trim(error) + "\r\n\r\n" +
      CaseMessageTxt("Возможные причины ошибки:", "Possible reasons of error:") + "\r\n1 - " +
      CaseMessageTxt("Таблица или просмотр не существует;", "Table or view does not exist; ") +
      CaseMessageTxt("Неверно выбрана база данных;", "Data base is not correctly selected; ");
  if (!ReadDbgCAN()) return text;
  text += "\r\n" +
          CaseMessageTxt("2 - Недостаточно прав пользователя;", "2 - Insufficient user rights;") +
          "\r\n" +
          CaseMessageTxt(
              "3 - Неверный текст SQL: не определена схема, не определены макросы "
              "(переопределите процедуру PrepareQueryMacros)",
              "3 - Incorrect SQL text: the schema is not defined, macros are not "
              "defined (reassign the procedure PrepareQueryMacros)");
  text += "\r\n\r\n---debug" + String(100, '-') + "\r\n\r\n" +
          CaseMessageTxt("компонент: ", "component: ") + "\"" + name + "\"\r\n\r\nSQL:\r\n\r\n" +
          query->SQL()->Text() + "\r\n";
  if (query->Macros()->Count() == 0) return text;
  text += CaseMessageTxt("макросы:", "macros:") + "\r\n\r\n";
  for (int i = 0; i < query->Macros()->Count(); ++i) {
    const TMacro* macro = query->Macros()->Items(i);
    text += macro->Name() + " = " + macro->Value() + "\r\n";
  }
  return text;
}

void TBaseForm::TagFieldsForTools(TDataSet* dataSet) {
  if (!dataSet) return;
  for (int i = 0; i < dataSet->Fields()->Count(); ++i) {
    TField* field = dataSet->Fields()->Fields(i);
    const String label = Trim(field->DisplayLabel());
    if (field->Tag() != 0 || label.empty() || !IsSimpleFieldType(field->DataType())) continue;
    if (!field->Visible() && !RusCharExists(label)) continue;
    const bool viewOnly = field->FieldKind() != fkData || SameText(field->FieldName(), "RCHECK");
    field->SetTag(viewOnly ? ViewOnlyToolsTag : AllToolsTag);
  }
}

bool TBaseForm::DrawGridCell(TObject* grid, TCanvas* canvas, TGridDrawState state,
                             const TRect& rect, TField* field) {
  return DrawCheckColumnCell(canvas, state, rect, field, FCheckFieldName,
                             [this](TField* checkField) { return GetCheckFldValue(checkField); });
}

void TBaseForm::GridCellClick(TObject* grid, TField* field) {
  if (field && field->DataSet() && !field->DataSet()->IsEmpty()) DoCheckIfNeed(field);
}

void TBaseForm::GridKeyDown(TObject* sender, uint16_t& key, TShiftState shift) {
  if (key != 32) return;
  TDataSet* dataSet = GetGridDataSet(dynamic_cast<TControl*>(sender));
  if (dataSet) SetRCheck(dataSet);
}

void TBaseForm::GridMouseWheel(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos,
                               bool& handled) {
  try {
    auto* grid = dynamic_cast<TCustomDBGrid*>(sender);
    TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active()) return;
    if (wheelDelta <= 0) {
      dataSet->Next();
    } else {
      dataSet->Prior();
    }
    handled = true;
  } catch (const Exception&) {
    handled = false;
  }
}

IDBGrid* TBaseForm::GetGridInterface(TControl* control) const {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  return FGridInterfaces && windowed ? FGridInterfaces->FindByControl(windowed) : nullptr;
}

TDataSet* TBaseForm::GetGridDataSet(TControl* grid) {
  try {
    IDBGrid* gridInt = GetGridInterface(grid);
    return gridInt ? gridInt->GetDataSet() : nullptr;
  } catch (const Exception& error) {
    ShowErrorMessage(error.Message());
    return nullptr;
  }
}

TWinControl* TBaseForm::FindGridOfDataSet(TDataSet* dataSet) const {
  if (!dataSet || !FGridInterfaces) return nullptr;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* grid = dynamic_cast<TCustomGrid*>(Components(i));
    if (!grid) continue;
    IDBGrid* gridInt = GetGridInterface(grid);
    if (gridInt && gridInt->GetDataSet() == dataSet) return grid;
  }
  return nullptr;
}

TControl* TBaseForm::GridOfDataSet(TDataSet* dataSet) { return FindGridOfDataSet(dataSet); }

void TBaseForm::SetMainDataSet(TDataSet* dataSet) {
  if (dataSet == FMainDataSet) return;
  MainDataSetChanging(dataSet);
  if (FMainDataSet) FMainDataSet->RemoveFreeNotification(this);
  FMainDataSet = dataSet;
  if (FMainDataSet) FMainDataSet->FreeNotification(this);
  if (FCheckCounter && FCheckCounter->Count() > 0) {
    FCheckCounter->Activate(dataSet);
    FCheckCounter->UpdateState();
  }
}

void TBaseForm::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FMainDataSet) FMainDataSet = nullptr;
  if (component == FMainQuery) FMainQuery = nullptr;
  if (component == FReportDetailQuery) FReportDetailQuery = nullptr;
  if (component == FSession) FSession = nullptr;
}

// --- messages, busy state, progress --------------------------------------------------------------

void TBaseForm::ShowMessageBox(const String& text, const String& caption, int kind) {
  ::ShowMessageBox(this, text, caption, kind);
}

void TBaseForm::ShowKindMessage(const String& text, int kind) {
  ::ShowKindMessage(this, text, kind);
}

void TBaseForm::ShowErrorMessage(const String& text) {
  ShowMessageBox(text, Translated(rstrReports), 1);
}

TOraSession* TBaseForm::GetSession() const {
  if (!FSession) {
    ::ShowKindMessage(CaseMessageTxt("TBaseForm.GetSession: Сессия не определена!",
                                     "TBaseForm.GetSession: Session is not defined!"),
                      1);
  }
  return FSession;
}

String TBaseForm::GetShema() const {
  if (FSchema.empty()) {
    ::ShowKindMessage(CaseMessageTxt("TBaseForm.GetShema: Схема не определена!",
                                     "TBaseForm.GetShema: Scheme is not defined!"),
                      1);
  }
  return FSchema;
}

void TBaseForm::SetSession(TOraSession* value) {
  if (!FMayChangeConnection) return;
  if (FSession) FSession->RemoveFreeNotification(this);
  FSession = value;
  if (FSession) FSession->FreeNotification(this);
  SetSessionForComponents(this, FSession);
}

void TBaseForm::SetShema(const String& value) {
  if (!FMayChangeConnection) return;
  const String schema = Trim(value.empty() && FSession ? FSession->Username() : value);
  fSetShema(this, schema);
  if (!schema.empty()) FSchema = schema;
}

void TBaseForm::SetReportDetailQuery(TOraDataSet* query) {
  if (FReportDetailQuery) FReportDetailQuery->RemoveFreeNotification(this);
  FReportDetailQuery = query;
  if (FReportDetailQuery) FReportDetailQuery->FreeNotification(this);
}

void TBaseForm::SetBusy(bool busy) {
  if (busy == FBusy) return;
  FBusy = busy;
  if (busy) {
    SetEnabled(false);
    return;
  }
  Activate();
  TMsg msg;
  while (HandleAllocated() && PeekMessage(msg, Handle(), true)) {
    try {
      DispatchMessage(msg);
    } catch (const Exception& error) {
      ShowKindMessage(
          Format("PeekMessage: $%.4x", {static_cast<int>(msg.Message)}) + "\r\n" + error.Message(),
          2);
    }
  }
  TWinControl* active = ActiveControl();
  SetActiveControl(nullptr);
  SetEnabled(true);
  if (active && active->CanFocus()) SetActiveControl(active);
}

void TBaseForm::StartProgress(const String& caption, const String& text, int maximum) {
  if (FProgress) {
    FProgress->Reset(caption, text, maximum);
  } else {
    GetIProgressEx(FProgress, caption, text, maximum, 5);
  }
}

bool TBaseForm::StepProgress(const String& text) { return !FProgress || FProgress->Step(text); }

void TBaseForm::StopProgress() {
  IProgress_001* progress = FProgress;
  FProgress = nullptr;
  if (progress) progress->_Release();
}

// --- check marks and function access -------------------------------------------------------------

bool TBaseForm::GetCheckFldValue(TField* field) { return ::GetCheckFldValue(field); }

void TBaseForm::SetCheckFldValue(TField* field, bool value) { ::SetCheckFldValue(field, value); }

void TBaseForm::SetRCheck(TDataSet* dataSet) {
  if (!dataSet) throw Exception("TBaseForm.SetRCheck: \r\nDS = nil");
  if (dataSet->IsEmpty()) return;
  // A read-only Oracle dataset refuses the edit: its marks stay as they are.
  if (dataSet->Is<TOraDataSet>() && dataSet->ReadOnly()) return;
  dataSet->Edit();
  if (dataSet->State() == dsInsert) {
    dataSet->Cancel();
    return;
  }
  TField* field = dataSet->FieldByName(FCheckFieldName);
  SetCheckFldValue(field, !GetCheckFldValue(field));
  dataSet->Post();
}

bool TBaseForm::DoCheckIfNeed(TField* field) {
  if (!field) throw Exception("TBaseForm.DoCheckIfNeed: \r\n fld = nil");
  if (!SameText(field->FieldName(), FCheckFieldName)) return false;
  if (!field->DataSet()) throw Exception("TBaseForm.DoCheckIfNeed: \r\n fld.DataSet = nil");
  SetRCheck(field->DataSet());
  return true;
}

bool TBaseForm::FillAccess(String& errorText) {
  errorText.clear();
  if (!FAccessList) FAccessList = TAccessList::Create();
  RegisterAccessItems();
  if (FMode.empty() || FAccessList->Count() == 0) return true;
  if (FMode[0] != '1') {
    ShowMessageBox(Format(Translated(rstr_msg_IncorrectAccessMode) + ": FMode = \"%s\"", {FMode}),
                   Translated(rstrReports), 1);
    return false;
  }
  if (static_cast<int>(FMode.size()) != FAccessList->Count() + 1) {
    errorText = Translated(rstr_msg_IncorrectAccessRights) + "\r\n" +
                Translated(rstr_msg_FulfilServiceRewrite);
    return false;
  }
  for (int i = 0; i < FAccessList->Count(); ++i) {
    const TAccessHandler handler = FAccessList->GetItems(i);
    Assert(handler.Assigned(),
           "TBaseForm.FillAccess: FuncAccessList.Items[" + std::to_string(i) + "]=nil");
    handler(FMode[i + 1] == '1');
  }
  return true;
}

bool TBaseForm::HasMySelectHandler(TDataSet* dataSet, int mode) {
  return GetMySelectHandler(dataSet, mode).Assigned();
}

void TBaseForm::RunSelectDataSet(TDataSet* dataSet, int mode, bool value) {
  SetBusy(true);
  Finally leaveBusy([this] { SetBusy(false); });
  if (HasMySelectHandler(dataSet, mode)) {
    RunMySelect(dataSet, mode, GetMySelectHandler2(dataSet, mode),
                GetMySelectHandler(dataSet, mode), FCheckFieldName, value);
  } else {
    RunSelectDS(dataSet, mode, FCheckFieldName, value);
  }
}

void TBaseForm::RunSelectGridOf(TWinControl* grid, int mode, bool value) {
  IDBGrid* gridInt = grid ? GetGridInterface(grid) : nullptr;
  if (!gridInt) {
    MessageBeep(0);
    return;
  }
  SetBusy(true);
  Finally leaveBusy([this] { SetBusy(false); });
  TDataSet* dataSet = gridInt->GetDataSet();
  if (HasMySelectHandler(dataSet, mode)) {
    RunMySelect(dataSet, mode, GetMySelectHandler2(dataSet, mode),
                GetMySelectHandler(dataSet, mode), FCheckFieldName, value);
  } else {
    RunSelectGrid(gridInt, mode, FCheckFieldName, value);
  }
}

// --- data actions ------------------------------------------------------------------------------

TWinControl* TBaseForm::GetActiveGrid() {
  TWinControl* focused = ActiveControl();
  if (focused && focused->Is<TCustomGrid>()) return focused;
  ShowKindMessage(CaseMessageTxt(Translated(rstr_SelectTable), "Select the table"), 0);
  return nullptr;
}

IDBGrid* TBaseForm::ActiveGridInterface(TWinControl*& grid) {
  grid = GetActiveGrid();
  return grid ? GetGridInterface(grid) : nullptr;
}

TDataSet* TBaseForm::ActiveGridDataSet() {
  try {
    TWinControl* grid = GetActiveGrid();
    auto* dbGrid = dynamic_cast<TCustomDBGrid*>(grid);
    return dbGrid ? dbGrid->DataSet() : nullptr;
  } catch (const Exception&) {
    return nullptr;
  }
}

void TBaseForm::FirstAction(TObject* sender) {
  if (TDataSet* dataSet = ActiveGridDataSet()) dataSet->First();
}

void TBaseForm::PrevAction(TObject* sender) {
  if (TDataSet* dataSet = ActiveGridDataSet()) dataSet->Prior();
}

void TBaseForm::NextAction(TObject* sender) {
  if (TDataSet* dataSet = ActiveGridDataSet()) dataSet->Next();
}

void TBaseForm::LastAction(TObject* sender) {
  if (TDataSet* dataSet = ActiveGridDataSet()) dataSet->Last();
}

void TBaseForm::RefreshAction(TObject* sender) {
  if (TDataSet* dataSet = ActiveGridDataSet()) RefreshDataSet(dataSet);
}

void TBaseForm::RefreshDataSet(TDataSet* dataSet) {
  TField* first = dataSet->Fields()->Count() > 0 ? dataSet->Fields()->Fields(0) : nullptr;
  const Variant value = first ? first->AsVariant() : Variant::Null();
  const String name = first ? first->FieldName() : String();
  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  dataSet->Refresh();
  if (!VarIsNull(value)) dataSet->Locate(name, value, loPartialKey);
}

void TBaseForm::RefreshDataSetLast(TDataSet* dataSet) {
  dataSet->DisableControls();
  Finally enable([dataSet] { dataSet->EnableControls(); });
  dataSet->Refresh();
  dataSet->Last();
}

void TBaseForm::ExecFind() {
  TWinControl* grid = nullptr;
  IDBGrid* gridInt = ActiveGridInterface(grid);
  if (!gridInt) return;
  TDataSet* dataSet = gridInt->GetDataSet();
  if (!dataSet || dataSet->IsEmpty()) return;
  auto* dbGrid = dynamic_cast<TCustomDBGrid*>(grid);
  TField* selected = dbGrid ? dbGrid->SelectedField() : nullptr;
  int fieldIndex = selected ? selected->Index() : 0;
  _FindByDBGridExB(dataSet, grid->Hint(), fieldIndex);
  if (dbGrid && fieldIndex >= 0 && fieldIndex < dataSet->Fields()->Count()) {
    dbGrid->SetSelectedField(dataSet->Fields()->Fields(fieldIndex));
  }
}

void TBaseForm::ExecSort() {
  TWinControl* grid = nullptr;
  IDBGrid* gridInt = ActiveGridInterface(grid);
  if (!gridInt) return;
  TDataSet* dataSet = gridInt->GetDataSet();
  if (dataSet && dataSet->Is<TOraQuery>()) {
    _SortDBGridB(dataSet, grid->Hint());
  } else {
    ShowKindMessage(Translated(rstr_msg_ImpossibleDatasForSorting), 0);
  }
}

void TBaseForm::ExecFilter() {
  TWinControl* grid = nullptr;
  IDBGrid* gridInt = ActiveGridInterface(grid);
  if (!gridInt) return;
  const bool isMain = gridInt->GetDataSet() == FMainQuery && FMainQuery;
  int mode = (!isMain || FForceFilterMode) ? 2 : (FMainQueryFiltered ? 1 : 0);
  _FilterByDBGridD(mode, gridInt, grid->Hint());
  if (isMain) FMainQueryFiltered = mode == 1;
}

TDataSet* TBaseForm::FindReportDetail(TDataSet* master, TWinControl*& detailGrid) {
  TDataSet* found = nullptr;
  detailGrid = nullptr;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* grid = dynamic_cast<TCustomGrid*>(Components(i));
    IDBGrid* gridInt = grid ? GetGridInterface(grid) : nullptr;
    TDataSet* dataSet = gridInt ? gridInt->GetDataSet() : nullptr;
    if (!dataSet || dataSet == master || !IsDetailOf(dataSet, master)) continue;
    const bool preferred = dataSet == FMainDataSet || dataSet == FReportDetailQuery;
    if (!found || preferred) {
      found = dataSet;
      detailGrid = grid;
      if (preferred) break;
    }
  }
  return found;
}

void TBaseForm::ExecReport() {
  TWinControl* grid = nullptr;
  IDBGrid* gridInt = ActiveGridInterface(grid);
  if (!grid) return;
  Assert(gridInt != nullptr, "grid1 = nil");
  TDataSet* master = gridInt->GetDataSet();
  if (!master || master->IsEmpty()) return;
  TWinControl* detailGrid = nullptr;
  TDataSet* detail = FindReportDetail(master, detailGrid);
  TDataSource* masterSource = gridInt->GetDataSource();
  Finally restoreSource([&] {
    if (detail && gridInt->GetDataSource() != masterSource) gridInt->SetDataSource(masterSource);
  });
  GridReport(master, detail, grid->Hint(), detailGrid ? detailGrid->Hint() : String(), Caption());
}

void TBaseForm::UpdateActionsFor(TDataSet* dataSet) {
  const bool hasRows = dataSet && !(dataSet->Bof() && dataSet->Eof());
  pFind->SetVisible(hasRows);
  pReport->SetVisible(hasRows);
}

void TBaseForm::ActionList1Update(TBasicAction* action, bool& handled) {
  TWinControl* focused = ActiveControl();
  if (!focused || !focused->Is<TCustomGrid>()) return;
  if (IDBGrid* gridInt = GetGridInterface(focused)) UpdateActionsFor(gridInt->GetDataSet());
}

void TBaseForm::PopupMenuPopup(TObject* sender) {
  TWinControl* focused = ActiveControl();
  if (!focused || !focused->Is<TCustomGrid>()) Abort();
  if (FSavedOnPopup) FSavedOnPopup(sender);
}

void TBaseForm::AnotherBeforeConnect(TObject* sender) {
  auto* session = static_cast<TOraSession*>(sender);
  String text = CaseMessageTxt("ВНИМАНИЕ: ", "ATTENTION: ") + Name() +
                CaseMessageTxt(". Прошел лишний коннект (TOraSession = ",
                               ". Superfluous connection (TOraSession = ") +
                session->Name() + ", Server = " + session->Server() + ")," + "\r\n" +
                CaseMessageTxt("для наборов данных: ", "for data sets: ");
  for (int i = 0; i < session->DataSetCount(); ++i) text += "\r\n" + session->DataSets(i)->Name();
  ShowKindMessage(text, 0);
}

// --- orderings -----------------------------------------------------------------------------------

String TBaseForm::GetQueryOrderKey(TOraDataSet* query) { return QueryOrderKey(this, query); }

void TBaseForm::RestoreQueryOrder(TComponent* component) {
  auto* query = static_cast<TOraDataSet*>(component);
  if (!TakesPartInOrdering(query)) return;
  RestoreQueryOrderOf(FSchema, GetQueryOrderKey(query), query,
                      [this](const String& name) { NotFindFieldForOrder(name); });
}

void TBaseForm::NotFindFieldForOrder(const String& name) {
  ShowMessageBox("TBaseForm.NotFindFieldForOrder: " +
                     Format(Translated(rstr_fmtmsg_IncorrectSortingField), {name}),
                 Translated(rstrError), 1);
}

void TBaseForm::SaveQueryOrders() {
  if (!IsOrderSaving(FSchema)) return;
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* query = dynamic_cast<TOraQuery*>(Components(i));
    if (query && TakesPartInOrdering(query))
      SaveQueryOrderOf(FSchema, GetQueryOrderKey(query), query);
  }
}

// --- showing, closing, destruction -----------------------------------------------------------

void TBaseForm::FormCreate(TObject* sender) {
  inherited::FormCreate(sender);
  FGridSettingsOn = true;
  FForceFilterMode = false;
}

void TBaseForm::FormShow(TObject* sender) {
  inherited::FormShow(sender);
  TWinControl* grid = MainGrid();
  if (grid && grid->CanFocus()) SetActiveControl(grid);
}

void TBaseForm::FormCloseQuery(TObject* sender, bool& canClose) {
  canClose = FCanClose;
  if (!canClose) {
    ShowMessageBox(FOccupiedMessage, CaseMessageTxt("Закрытие окна", "Closing of the window"), 0);
  }
}

void TBaseForm::FormClose(TObject* sender, TCloseAction& action) {
  inherited::FormClose(sender, action);
  CloseWork();
}

void TBaseForm::CloseWork() {
  FCloseWorkDone = false;
  SaveQueryOrders();
  DoCloseForm();
  FCloseWorkDone = true;
}

void TBaseForm::Destroy() {
  if (FConstructed && !FCloseWorkDone) {
    try {
      CloseWork();
    } catch (const Exception&) {
      Application->HandleException(this);
    }
  }
  StopProgress();
  FreeAndNil(FGridSettings);
  FreeAndNil(FGridInterfaces);
  FreeAndNil(FAccessList);
  FreeAndNil(FHandlers);
  FreeAndNil(FCheckCounter);
  inherited::Destroy();
}

void TBaseForm::WndProc(TMessage& message) {
  inherited::WndProc(message);
  if (message.Msg != WM_GETMINMAXINFO) return;
  auto* info = reinterpret_cast<TMinMaxInfo*>(message.LParam);
  TCustomForm* mainForm = Application->MainForm();
  if (mainForm && mainForm != this) {
    const int top = mainForm->Top() + mainForm->Height();
    info->MaxPosition.Y = top;
    info->MaxSize.Y = Screen->WorkAreaTop() + Screen->WorkAreaHeight() - top;
  } else {
    info->MaxPosition.Y = 500;
    info->MaxSize.Y = 600;
  }
}

void TBaseForm::LoadResources() {
  static const int Bitmaps[] = {1, 2, 3, 5, 6, 7, 8, 9, 4, 10, 11, 12};
  for (int i = 0; i < 12; ++i) {
    TBitmap* image = TBitmap::Create();
    FreeOnExit freeImage(image);
    if (LoadVRXResBitmap(Bitmaps[i], image)) ImageList1->ReplaceMasked(i, image, TColor(0xFF00FF));
  }
}

void TBaseForm::TranslateDataActions() {
  const std::pair<TAction*, const String*> texts[] = {
      {pFind, &rstr_to_Search},   {pSort, &rstr_to_Sort},      {pReport, &rstrReport},
      {pFilter, &rstr_to_Filter}, {pFirst, &rstr_to_FirstRec}, {pPrev, &rstr_to_PriorRec},
      {pNext, &rstr_to_NextRec},  {pLast, &rstr_to_LastRec},   {pRefresh, &rstr_to_RefreshData}};
  for (const auto& [action, text] : texts) {
    action->SetCaption(Translated(*text));
    action->SetHint(*text);
  }
}

void TBaseForm::TranslateCaptions() {
  inherited::TranslateCaptions();
  TranslateDataActions();
  for (TComponent* component : std::initializer_list<TComponent*>{
           MainSession, ImageList1, OraQuery1, FrmQSearch1, PopupMenu1, ActionList1}) {
    DontTranslate(component);
  }
  for (int i = 0; i < PopupMenu1->Items()->Count(); ++i)
    DontTranslate(PopupMenu1->Items()->Items(i));
  for (int i = 0; i < ActionList1->ActionCount(); ++i) DontTranslate(ActionList1->Actions(i));
}
