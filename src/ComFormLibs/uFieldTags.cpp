#include "src/ComFormLibs/uFieldTags.h"

#include <algorithm>

#include "platform/db/DataSet.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"

namespace {

constexpr int32_t kToolTagMarker = 0xF8;
constexpr int32_t kAllTools = 0xFF;
constexpr int32_t kShowOnly = 0xFC;

bool IsToolTag(int32_t tag) {
  return (tag & ~0xFF) == 0 && (tag & kToolTagMarker) == kToolTagMarker;
}

bool IsSimpleType(TFieldType type) {
  switch (type) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
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
    case ftVariant:
      return true;
    default:
      return false;
  }
}

// The word the window would have given the field; 0 for a field it leaves out.
int32_t DefaultTag(const TField* field) {
  const String label = Trim(field->DisplayLabel());
  if (label.empty() || !IsSimpleType(field->DataType())) return 0;
  if (!field->Visible() && !ContainsCyrillic(label)) return 0;
  const bool showOnly = field->FieldKind() != fkData || SameText(field->FieldName(), "RCHECK");
  return showOnly ? kShowOnly : kAllTools;
}

bool NamedInSql(const TField* field) {
  return field->FieldKind() == fkData && IsValidIdent(field->FieldName());
}

bool Offers(const TField* field, int32_t tag, TToolOption option) {
  if (!IsToolTag(tag) || (tag & option) == 0) return false;
  return option == toShow || NamedInSql(field);
}

}  // namespace

std::vector<TField*> ToolFields(TDataSet* dataSet, TToolOption option) {
  const TFields& fields = *dataSet->Fields();
  const bool tagged =
      std::any_of(fields.begin(), fields.end(), [](TField* f) { return IsToolTag(f->Tag()); });
  std::vector<TField*> offered;
  for (TField* field : fields)
    if (Offers(field, tagged ? field->Tag() : DefaultTag(field), option)) offered.push_back(field);
  return offered;
}
