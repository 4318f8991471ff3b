#include "platform/db/VirtualTable.h"

RTL_CLASS_IMPL_CREATABLE(TVirtualTable, TDataSet)

void TVirtualTable::AddField(const String& name, TFieldType type, int size) {
  CheckInactive();
  FieldDefs()->Add(name, type, size);
}

void TVirtualTable::Clear() {
  if (!Active()) return;
  CheckBrowseMode();
  TDataSet::InternalRefresh();
  First();
}

void TVirtualTable::LoadData(TDataLoad& load) {
  const TFieldDefs& defs = *FieldDefs();
  if (defs.Count() > 0) {
    for (int i = 0; i < defs.Count(); ++i)
      load.AddColumn(defs[i].Name, defs[i].DataType, defs[i].Size, defs[i].Precision, defs[i].Scale,
                     defs[i].Required);
    return;
  }
  for (const TField* field : *Fields())
    if (field->FieldKind() == fkData)
      load.AddColumn(field->FieldName(), field->DataType(), field->Size());
}

void TVirtualTable::InternalRefresh() { RebuildVisibleRows(); }

void TVirtualTable::ApplyMasterValues(const std::vector<TMasterValue>& values) {
  SetLocalRange(values);
}
