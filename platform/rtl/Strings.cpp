#include "platform/rtl/Strings.h"

#include <utility>

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

RTL_CLASS_IMPL(TStrings, TPersistent)
RTL_CLASS_IMPL_CREATABLE(TStringList, TStrings)

namespace {

const char* const kSortedListError = "Operation not allowed on sorted list";
const char* const kDuplicateString = "String list does not allow duplicates";
const char* const kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c >= 1 && c <= ' '; }

// An item must be quoted when it is empty or holds the delimiter, the quote or (unless only the
// delimiter separates) a blank.
bool NeedsQuotes(const String& item, char delimiter, char quote, bool strict) {
  if (item.empty()) return true;
  for (char c : item)
    if (c == delimiter || c == quote || (!strict && IsBlank(c))) return true;
  return false;
}

void AppendQuoted(String& out, const String& item, char quote) {
  out += quote;
  for (char c : item) {
    if (c == quote) out += quote;
    out += c;
  }
  out += quote;
}

// Reads a quoted item starting at the opening quote; position ends after the closing quote (or
// at the end when the quote is never closed).
String ExtractQuoted(const String& text, size_t& position, char quote) {
  String item;
  ++position;
  while (position < text.size()) {
    const char c = text[position++];
    if (c != quote) {
      item += c;
    } else if (position < text.size() && text[position] == quote) {
      item += quote;
      ++position;
    } else {
      break;
    }
  }
  return item;
}

// Merges the sorted runs [from, middle) and [middle, to) of order into buffer.
void MergeRuns(const std::vector<int>& order, std::vector<int>& buffer, size_t from, size_t middle,
               size_t to, const std::function<bool(int, int)>& less) {
  size_t left = from, right = middle, out = from;
  while (left < middle && right < to)
    buffer[out++] = less(order[right], order[left]) ? order[right++] : order[left++];
  while (left < middle) buffer[out++] = order[left++];
  while (right < to) buffer[out++] = order[right++];
}

// A stable bottom-up merge sort. Unlike the library sorts it stays within bounds whatever the
// comparison answers, so a careless custom comparison cannot corrupt memory.
void MergeSort(std::vector<int>& order, const std::function<bool(int, int)>& less) {
  std::vector<int> buffer(order.size());
  for (size_t width = 1; width < order.size(); width *= 2) {
    for (size_t from = 0; from < order.size(); from += 2 * width) {
      const size_t middle = std::min(from + width, order.size());
      const size_t to = std::min(from + 2 * width, order.size());
      MergeRuns(order, buffer, from, middle, to, less);
    }
    order.swap(buffer);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TStrings

TObject* TStrings::Objects(int index) const { return nullptr; }

void TStrings::SetObjects(int index, TObject* object) {}

int TStrings::AddObject(const String& value, TObject* object) {
  const int index = Count();
  InsertObject(index, value, object);
  return index;
}

void TStrings::Exchange(int index1, int index2) {
  TStringsUpdateScope update(this);
  const String string1 = Strings(index1);
  TObject* const object1 = Objects(index1);
  SetStrings(index1, Strings(index2));
  SetObjects(index1, Objects(index2));
  SetStrings(index2, string1);
  SetObjects(index2, object1);
}

void TStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex) return;
  CheckIndex(currentIndex, Count());
  CheckIndex(newIndex, Count());
  TStringsUpdateScope update(this);
  const String value = Strings(currentIndex);
  TObject* const object = Objects(currentIndex);
  // Detached first, so that a list owning its objects does not free the one being moved.
  SetObjects(currentIndex, nullptr);
  Delete(currentIndex);
  InsertObject(newIndex, value, object);
}

void TStrings::AddStrings(TStrings* strings) {
  TStringsUpdateScope update(this);
  const int count = strings->Count();
  for (int i = 0; i < count; ++i) AddObject(strings->Strings(i), strings->Objects(i));
}

void TStrings::Assign(TPersistent* source) {
  if (!source || !source->Is<TStrings>()) {
    inherited::Assign(source);
    return;
  }
  auto* strings = static_cast<TStrings*>(source);
  if (strings == this) return;
  TStringsUpdateScope update(this);
  Clear();
  FDelimiter = strings->FDelimiter;
  FQuoteChar = strings->FQuoteChar;
  FNameValueSeparator = strings->FNameValueSeparator;
  FStrictDelimiter = strings->FStrictDelimiter;
  AddStrings(strings);
}

int TStrings::IndexOf(const String& value) const {
  const int count = Count();
  for (int i = 0; i < count; ++i)
    if (CompareStrings(Strings(i), value) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  const int count = Count();
  for (int i = 0; i < count; ++i)
    if (Objects(i) == object) return i;
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    const String line = Strings(i);
    const size_t separator = line.find(FNameValueSeparator);
    if (separator != String::npos && CompareStrings(line.substr(0, separator), name) == 0) return i;
  }
  return -1;
}

String TStrings::Names(int index) const {
  const String line = Strings(index);
  const size_t separator = line.find(FNameValueSeparator);
  return separator == String::npos ? String() : line.substr(0, separator);
}

String TStrings::ValueFromIndex(int index) const {
  const String line = Strings(index);
  const size_t separator = line.find(FNameValueSeparator);
  return separator == String::npos ? String() : line.substr(separator + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  if (index < 0) index = Add(String());
  SetStrings(index, Names(index) + FNameValueSeparator + value);
}

String TStrings::Values(const String& name) const {
  const int index = IndexOfName(name);
  return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValues(const String& name, const String& value) {
  const int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Add(name + FNameValueSeparator + value);
  } else {
    SetStrings(index, name + FNameValueSeparator + value);
  }
}

String TStrings::Text() const {
  String text;
  const int count = Count();
  for (int i = 0; i < count; ++i) text += Strings(i) + "\r\n";
  return text;
}

void TStrings::SetText(const String& text) {
  TStringsUpdateScope update(this);
  Clear();
  size_t position = 0;
  while (position < text.size()) {
    const size_t end = text.find_first_of("\r\n", position);
    if (end == String::npos) {
      Add(text.substr(position));
      break;
    }
    Add(text.substr(position, end - position));
    position =
        end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

String TStrings::CommaText() const { return JoinDelimited(',', '"', false); }

void TStrings::SetCommaText(const String& text) { SplitDelimited(text, ',', '"', false); }

String TStrings::DelimitedText() const {
  return JoinDelimited(FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStrings::SetDelimitedText(const String& text) {
  SplitDelimited(text, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStrings::JoinDelimited(char delimiter, char quote, bool strict) const {
  String text;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += delimiter;
    const String item = Strings(i);
    if (NeedsQuotes(item, delimiter, quote, strict))
      AppendQuoted(text, item, quote);
    else
      text += item;
  }
  return text;
}

void TStrings::SplitDelimited(const String& text, char delimiter, char quote, bool strict) {
  TStringsUpdateScope update(this);
  Clear();
  SplitDelimitedText(text, delimiter, quote, strict, [this](String item) { Add(item); });
}

void SplitDelimitedText(const String& text, char delimiter, char quote, bool strict,
                        const std::function<void(String)>& add) {
  const auto skipBlanks = [&](size_t& position) {
    if (!strict)
      while (position < text.size() && IsBlank(text[position])) ++position;
  };
  size_t position = 0;
  skipBlanks(position);
  while (position < text.size()) {
    if (text[position] == quote) {
      add(ExtractQuoted(text, position, quote));
    } else {
      const size_t start = position;
      while (position < text.size() && text[position] != delimiter &&
             (strict || !IsBlank(text[position])))
        ++position;
      add(text.substr(start, position - start));
    }
    skipBlanks(position);
    if (position < text.size() && text[position] == delimiter) {
      ++position;
      if (position == text.size()) add(String());
      skipBlanks(position);
    }
  }
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  // An unmatched EndUpdate is ignored rather than leaving the count negative for good.
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const String& fileName) {
  String content = ReadWholeFile(fileName);
  if (content.starts_with(kUtf8Bom)) content.erase(0, 3);
  SetText(content);
}

void TStrings::SaveToFile(const String& fileName) const { AtomicWriteFile(fileName, Text()); }

int TStrings::CompareStrings(const String& a, const String& b) const {
  return AnsiCompareText(a, b);
}

void TStrings::IndexError(int index) const {
  throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::CheckIndex(int index, int count) const {
  if (index < 0 || index >= count) IndexError(index);
}

// ---------------------------------------------------------------------------------------------
// TStringList

String TStringList::Strings(int index) const {
  CheckIndex(index, Count());
  return FItems[static_cast<size_t>(index)].FString;
}

void TStringList::SetStrings(int index, const String& value) {
  CheckNotSorted();
  CheckIndex(index, Count());
  Changing();
  FItems[static_cast<size_t>(index)].FString = value;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index, Count());
  return FItems[static_cast<size_t>(index)].FObject;
}

void TStringList::SetObjects(int index, TObject* object) {
  CheckIndex(index, Count());
  Changing();
  FItems[static_cast<size_t>(index)].FObject = object;
  Changed();
}

int TStringList::AddObject(const String& value, TObject* object) {
  int index = Count();
  if (FSorted && Find(value, index)) {
    if (FDuplicates == TDuplicates::dupIgnore) return index;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError(kDuplicateString);
  }
  InsertItem(index, value, object);
  return index;
}

void TStringList::InsertObject(int index, const String& value, TObject* object) {
  CheckNotSorted();
  CheckIndex(index, Count() + 1);
  InsertItem(index, value, object);
}

void TStringList::InsertItem(int index, const String& value, TObject* object) {
  Changing();
  FItems.insert(FItems.begin() + index, TStringItem{value, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Changing();
  TObject* const object = FItems[static_cast<size_t>(index)].FObject;
  FItems.erase(FItems.begin() + index);
  if (FOwnsObjects && object) object->Free();
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  RemoveAllItems();
  Changed();
}

void TStringList::RemoveAllItems() {
  std::vector<TStringItem> items;
  items.swap(FItems);
  if (FOwnsObjects)
    for (const TStringItem& item : items)
      if (item.FObject) item.FObject->Free();
}

void TStringList::Exchange(int index1, int index2) {
  CheckNotSorted();
  CheckIndex(index1, Count());
  CheckIndex(index2, Count());
  Changing();
  std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
  Changed();
}

void TStringList::Move(int currentIndex, int newIndex) {
  CheckNotSorted();
  if (currentIndex == newIndex) return;
  CheckIndex(currentIndex, Count());
  CheckIndex(newIndex, Count());
  Changing();
  TStringItem item = std::move(FItems[static_cast<size_t>(currentIndex)]);
  FItems.erase(FItems.begin() + currentIndex);
  FItems.insert(FItems.begin() + newIndex, std::move(item));
  Changed();
}

int TStringList::IndexOf(const String& value) const {
  if (!FSorted) {
    for (size_t i = 0; i < FItems.size(); ++i)
      if (CompareStrings(FItems[i].FString, value) == 0) return static_cast<int>(i);
    return -1;
  }
  int index;
  return Find(value, index) ? index : -1;
}

bool TStringList::Find(const String& value, int& index) const {
  if (!FSorted) {
    index = IndexOf(value);
    if (index >= 0) return true;
    index = Count();
    return false;
  }
  // The first line not ordered before the value.
  size_t low = 0, high = FItems.size();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (CompareStrings(FItems[middle].FString, value) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  index = static_cast<int>(low);
  return low < FItems.size() && CompareStrings(FItems[low].FString, value) == 0;
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int index1, int index2) {
    return list->CompareStrings(list->FItems[static_cast<size_t>(index1)].FString,
                                list->FItems[static_cast<size_t>(index2)].FString);
  });
}

std::vector<int> TStringList::SortedOrder(const TStringListSortCompare& compare) {
  std::vector<int> order(FItems.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  MergeSort(order, [&](int a, int b) { return compare(this, a, b) < 0; });
  return order;
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (FSorted || FItems.size() < 2) return;
  Changing();
  // The comparison sees the lines at their old places throughout; they move only afterwards.
  const std::vector<int> order = SortedOrder(compare);
  std::vector<TStringItem> sorted;
  sorted.reserve(FItems.size());
  for (int index : order) sorted.push_back(std::move(FItems[static_cast<size_t>(index)]));
  FItems.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (value == FSorted) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == FCaseSensitive) return;
  FCaseSensitive = value;
  if (FSorted) {
    FSorted = false;
    SetSorted(true);
  }
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::CheckNotSorted() const {
  if (FSorted) throw EStringListError(kSortedListError);
}

void TStringList::Destroy() {
  OnChange = nullptr;
  OnChanging = nullptr;
  RemoveAllItems();
  inherited::Destroy();
}
