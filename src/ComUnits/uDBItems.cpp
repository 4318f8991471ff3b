#include "src/ComUnits/uDBItems.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_set>

#include "platform/rtl/Crc32.h"
#include "platform/rtl/MessageSink.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Text.h"
#include "src/ResourcePack/Ucomlanguages.h"
#include "src/ResourcePack/Ucomresources.h"

// ---------------------------------------------------------------------------------------------
// TDBItem

RTL_CLASS_IMPL(TDBItem, TObject)

void TDBItem::Construct(double id, const String& name) {
  Values = VarArrayOf({Variant(id)});
  Name = name;
  IsIDItem = true;
}

void TDBItem::Construct(const Variant& values) {
  if (!VarIsArray(values))
    ShowMessage("TDBItem.Create(const mas: Variant): \r mas is not an array");
  Values = values;
}

void TDBItem::Construct(const Variant& values, const String& name) {
  Construct(values);
  Name = name;
}

void TDBItem::Construct(const TDBItem* source) { Construct(source->Values, source->Name); }

double TDBItem::GetID() const {
  if (VarIsEmpty(Values)) throw Exception("TDBItem.GetID: \rVarIsEmpty");
  if (!VarIsArray(Values)) throw Exception("TDBItem.GetID: Param is not array");
  if (VarArrayHighBound(Values) < 0) throw Exception("TDBItem.GetID: no elements in array");
  return Values[0].AsDouble();
}

String TDBItem::GetText() const {
  if (!Text.empty()) return Text;
  if (IsIDItem) return Format("[%s] %s", {FloatToStr(GetID()), Name});
  return Name;
}

String TDBItem::GetDebugText() const {
  String values;
  if (VarIsArray(Values)) {
    for (int i = VarArrayLowBound(Values), high = VarArrayHighBound(Values); i <= high; ++i)
      values += VarToStr(Values[i]) + " ";
  } else {
    values = VarToStr(Values);
  }
  return Format("[%s] %s", {values, Name});
}

void TDBItem::Assign(const TDBItem* source) {
  Values = source->Values;
  Name = source->Name;
  Excluded = source->Excluded;
  Text = source->GetText();
}

// ---------------------------------------------------------------------------------------------
// The lookup behind TDBItemList::Exists.
//
// The plain walk compares the candidate with every stored item, which makes a dialog returning
// 100,000 marked rows quadratic. Items are therefore indexed by the equality keys of their first
// compared element (VarEqualityKeys agrees with ==), per shape of value array, and only the
// items that share a key with the candidate are compared in full, in list order. The walk's
// loud failures are kept: the earliest item whose comparison must raise (a stored array longer
// than the candidate, an array against a non-array) bounds the search, and from there the plain
// walk runs, so that item raises exactly as it would have.

namespace {

// A multimap from key hashes to item indexes: open addressing over the hashes, chains of
// entries per hash. Hash collisions are harmless: every candidate is confirmed by comparison.
class THashChains {
 public:
  void Insert(uint64_t hash, int item) {
    // At most half full: linear probing stays short.
    if ((FUsed + 1) * 2 > FSlots.size()) Rehash(FSlots.empty() ? 64 : FSlots.size() * 2);
    Slot& slot = FSlots[SlotIndex(hash)];
    if (slot.Head < 0) {
      slot.Hash = hash;
      ++FUsed;
    }
    FEntries.push_back({item, slot.Head});
    slot.Head = static_cast<int32_t>(FEntries.size() - 1);
  }

  void Collect(uint64_t hash, std::vector<int>& out) const {
    if (FSlots.empty()) return;
    const Slot& slot = FSlots[SlotIndex(hash)];
    for (int32_t e = slot.Head; e >= 0; e = FEntries[static_cast<size_t>(e)].Next)
      out.push_back(FEntries[static_cast<size_t>(e)].Item);
  }

  void Clear() {
    FSlots.clear();
    FEntries.clear();
    FUsed = 0;
  }

 private:
  struct Slot {
    uint64_t Hash = 0;
    int32_t Head = -1;
  };
  struct Entry {
    int32_t Item;
    int32_t Next;
  };

  // Key hashes may keep their entropy in the high bits (the bits of a double are hashed as they
  // are), so they are mixed before the low bits pick a slot.
  static size_t Spread(uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ull;
    hash ^= hash >> 33;
    return static_cast<size_t>(hash);
  }

  // The slot holding the hash, or the free slot where it would go.
  size_t SlotIndex(uint64_t hash) const {
    const size_t mask = FSlots.size() - 1;
    for (size_t i = Spread(hash) & mask;; i = (i + 1) & mask)
      if (FSlots[i].Head < 0 || FSlots[i].Hash == hash) return i;
  }

  void Rehash(size_t size) {
    std::vector<Slot> old = std::move(FSlots);
    FSlots.assign(size, Slot{});
    for (const Slot& slot : old)
      if (slot.Head >= 0) FSlots[SlotIndex(slot.Hash)] = slot;
  }

  std::vector<Slot> FSlots;
  std::vector<Entry> FEntries;
  size_t FUsed = 0;
};

uint64_t KeyHash(const VarKey& key) { return static_cast<uint64_t>(VarKeyHash()(key)); }

// Items of one kind of stored value: arrays of one index range, or non-arrays (the scalars).
struct TItemGroup {
  THashChains ByKey;
  std::vector<int> Unkeyed;  // items whose compared value has no key: always candidates
  std::vector<int> All;      // every item of the group, in list order
};

struct TArrayShape : TItemGroup {
  int Low;
  int High;
  bool IsEmptyRange() const { return High < Low; }
};

}  // namespace

class TDBItemLookup {
 public:
  bool Valid() const { return FValid; }
  void Invalidate() { FValid = false; }

  void Rebuild(const TObjectList& items) {
    FKeysOf = nullptr;
    FShapes.clear();
    FScalars = TItemGroup{};
    for (int i = 0; i < items.Count(); ++i)
      if (items.Items(i)) Append(*items.ItemAs<TDBItem>(i), i);
    FValid = true;
  }

  void Append(const TDBItem& item, int index) {
    const Variant& values = item.Values;
    if (!VarIsArray(values)) {
      AddToGroup(FScalars, values, index);
      return;
    }
    TArrayShape& shape = ShapeOf(VarArrayLowBound(values), VarArrayHighBound(values));
    if (shape.IsEmptyRange())
      shape.All.push_back(index);
    else
      AddToGroup(shape, values[shape.Low], index);
  }

  // The index of the earliest stored item whose comparison with the candidate must raise, or
  // `count` when there is none.
  int FirstLoudFailure(const Variant& candidate, int count) const {
    int first = count;
    const bool isArray = VarIsArray(candidate);
    for (const TArrayShape& shape : FShapes) {
      if (shape.All.empty() || shape.IsEmptyRange()) continue;
      if (!isArray || !Covers(candidate, shape)) first = std::min(first, shape.All.front());
    }
    if (isArray && !FScalars.All.empty()) first = std::min(first, FScalars.All.front());
    return first;
  }

  // The indexes, ascending, of the items that may match the candidate.
  const std::vector<int>& Candidates(const Variant& candidate) {
    FCandidates.clear();
    if (VarIsArray(candidate)) {
      for (const TArrayShape& shape : FShapes) {
        if (shape.All.empty()) continue;
        if (shape.IsEmptyRange())
          FCandidates.push_back(shape.All.front());  // an empty range matches anything
        else if (Covers(candidate, shape))
          CollectFromGroup(shape, candidate[shape.Low]);
      }
    } else {
      for (const TArrayShape& shape : FShapes)
        if (shape.IsEmptyRange() && !shape.All.empty()) FCandidates.push_back(shape.All.front());
      CollectFromGroup(FScalars, candidate);
    }
    std::sort(FCandidates.begin(), FCandidates.end());
    FCandidates.erase(std::unique(FCandidates.begin(), FCandidates.end()), FCandidates.end());
    return FCandidates;
  }

 private:
  static bool Covers(const Variant& candidate, const TArrayShape& shape) {
    return VarArrayLowBound(candidate) <= shape.Low && VarArrayHighBound(candidate) >= shape.High;
  }

  TArrayShape& ShapeOf(int low, int high) {
    for (TArrayShape& shape : FShapes)
      if (shape.Low == low && shape.High == high) return shape;
    FShapes.emplace_back();
    FShapes.back().Low = low;
    FShapes.back().High = high;
    return FShapes.back();
  }

  void AddToGroup(TItemGroup& group, const Variant& value, int index) {
    group.All.push_back(index);
    // Add appends the item it has just looked up: its keys are still at hand.
    if (FKeysOf != &value) VarEqualityKeys(value, FKeys);
    FKeysOf = nullptr;
    if (FKeys.empty()) group.Unkeyed.push_back(index);
    for (const VarKey& key : FKeys) group.ByKey.Insert(KeyHash(key), index);
  }

  void CollectFromGroup(const TItemGroup& group, const Variant& value) {
    VarEqualityKeys(value, FKeys);
    FKeysOf = &value;
    if (FKeys.empty()) {
      FCandidates.insert(FCandidates.end(), group.All.begin(), group.All.end());
      return;
    }
    for (const VarKey& key : FKeys) group.ByKey.Collect(KeyHash(key), FCandidates);
    FCandidates.insert(FCandidates.end(), group.Unkeyed.begin(), group.Unkeyed.end());
  }

  std::vector<TArrayShape> FShapes;
  TItemGroup FScalars;
  std::vector<VarKey> FKeys;
  const Variant* FKeysOf = nullptr;  // the value FKeys were computed for, until the next append
  std::vector<int> FCandidates;
  bool FValid = false;  // built on the first Exists, so a list that never asks keeps none
};

// The owning item list of a TDBItemList: tells its list of every change made to it, so the
// lookup is rebuilt when a host edits the items directly.
class TDBItemObjects : public TObjectList {
  RTL_CLASS(TDBItemObjects, TObjectList)
 public:
  void Construct(TDBItemList* list) {
    inherited::Construct(true);
    FList = list;
  }

 protected:
  void Notify(TObject* item, TListNotification action) override {
    inherited::Notify(item, action);
    if (FList) FList->ItemsChanged();
  }
  void Destroy() override {
    FList = nullptr;  // the list is going: no lookup to keep
    inherited::Destroy();
  }

 private:
  TDBItemList* FList = nullptr;
};
RTL_CLASS_IMPL(TDBItemObjects, TObjectList)

namespace {

// One stored item against the candidate, exactly as the plain walk compares: every index of the
// stored array, no early exit inside the item.
bool StoredItemMatches(const TDBItem& stored, const Variant& candidate) {
  const Variant& values = stored.Values;
  if (!VarIsArray(values)) return candidate == values;
  bool match = true;
  for (int i = VarArrayLowBound(values), high = VarArrayHighBound(values); i <= high; ++i)
    if (!(candidate[i] == values[i])) match = false;
  return match;
}

// The IDs each once, in the order of their first occurrence.
std::vector<int32_t> DistinctInOrder(const std::vector<int32_t>& ids) {
  std::vector<int32_t> distinct;
  if (ids.empty()) return distinct;
  distinct.reserve(ids.size());
  const auto [lowest, highest] = std::minmax_element(ids.begin(), ids.end());
  const uint64_t range = static_cast<uint64_t>(int64_t{*highest} - *lowest) + 1;
  if (range <= 64 * uint64_t{ids.size()} + 4096) {
    // IDs of one list lie close together: a bitmap over their range, at most 64 bits per ID.
    std::vector<uint64_t> seen((range + 63) / 64);
    for (int32_t id : ids) {
      const uint64_t bit = static_cast<uint64_t>(int64_t{id} - *lowest);
      uint64_t& word = seen[bit / 64];
      const uint64_t mask = uint64_t{1} << (bit % 64);
      if (word & mask) continue;
      word |= mask;
      distinct.push_back(id);
    }
  } else {
    std::unordered_set<int32_t> seen(ids.size());
    for (int32_t id : ids)
      if (seen.insert(id).second) distinct.push_back(id);
  }
  return distinct;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TDBItemList

RTL_CLASS_IMPL(TDBItemList, TObject)

void TDBItemList::Construct() {
  FieldNames = TStringList::Create();
  FLookup = std::make_unique<TDBItemLookup>();
  FItems = TDBItemObjects::Create(this);
}

TDBItemList* TDBItemList::CreateFromText(const String& text) {
  FreeOnExit<TDBItemList> list(TDBItemList::Create());
  if (AnsiSameText(text, TranslateAplText(rstrAll))) {
    list->AllSelected = true;
    return list.Release();
  }
  std::vector<int32_t> ids;
  SplitDelimitedText(text, ',', '"', false,
                     [&ids](const String& piece) { ids.push_back(StrToInt(piece)); });
  // A text gives ID items only, and two of them are equal exactly when their IDs are: the
  // duplicates are found among the numbers, far cheaper than through the item lookup, which a
  // later Exists builds once when it is needed.
  const std::vector<int32_t> distinct = DistinctInOrder(ids);
  list->FItems->SetCapacity(static_cast<int>(distinct.size()));
  for (int32_t id : distinct) {
    TDBItem* item = TDBItem::Create(static_cast<double>(id), String());
    list->FItems->Add(item);
    item->Owner = list.Get();
  }
  return list.Release();
}

TDBItemList::TDBItemList() = default;
TDBItemList::~TDBItemList() = default;

void TDBItemList::Destroy() {
  FreeAndNil(FItems);
  FreeAndNil(SingleItem);
  FreeAndNil(FieldNames);
  inherited::Destroy();
}

void TDBItemList::ItemsChanged() {
  if (!FAdding && FLookup) FLookup->Invalidate();
}

bool TDBItemList::Exists(const TDBItem* candidate) {
  if (!candidate) throw Exception("TDBItemList.Exists: Item=nil");
  if (!FLookup->Valid()) FLookup->Rebuild(*FItems);
  const Variant& values = candidate->Values;
  const int count = Count();
  const int firstLoudFailure = FLookup->FirstLoudFailure(values, count);
  for (int index : FLookup->Candidates(values)) {
    if (index >= firstLoudFailure) break;
    if (StoredItemMatches(*Items(index), values)) return true;
  }
  for (int index = firstLoudFailure; index < count; ++index)
    if (Items(index) && StoredItemMatches(*Items(index), values)) return true;
  return false;
}

bool TDBItemList::Add(TDBItem* item) {
  if (Exists(item)) return false;
  FAdding = true;
  Finally adding([this] { FAdding = false; });
  FItems->Add(item);
  item->Owner = this;
  if (FLookup->Valid()) FLookup->Append(*item, Count() - 1);
  return true;
}

bool TDBItemList::AddOrFree(TDBItem* item) {
  FreeOnExit<TDBItem> guard(item);
  if (!Add(item)) return false;
  guard.Release();
  return true;
}

void TDBItemList::Clear() {
  FItems->Clear();
  AllSelected = false;
}

int TDBItemList::Count() const { return FItems->Count(); }

TDBItem* TDBItemList::Items(int index) const { return FItems->ItemAs<TDBItem>(index); }

String TDBItemList::GetIDsText() const {
  String text;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) text += ',';
    text += FloatToStr(Items(i)->GetID(), '.');
  }
  return text;
}

// ---------------------------------------------------------------------------------------------
// TCardinalList

RTL_CLASS_IMPL(TCardinalList, TObject)

bool TCardinalList::Find(uint32_t value, int& index) const {
  bool found = false;
  int64_t lo = 0;
  int64_t hi = static_cast<int64_t>(FCount) - 1;
  while (lo <= hi) {
    const int64_t mid = (lo + hi) >> 1;
    if (value > FStorage[mid]) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (FStorage[mid] == value) {
        found = true;
        lo = mid;
      }
    }
  }
  index = static_cast<int>(lo);
  return found;
}

void TCardinalList::Grow() {
  uint32_t delta = 4;
  if (FCapacity > 64)
    delta = FCapacity / 4;
  else if (FCapacity > 8)
    delta = 16;
  const uint32_t capacity = FCapacity + delta;
  auto* storage = static_cast<uint32_t*>(std::realloc(FStorage, size_t{capacity} * 4));
  if (!storage) throw Exception("TCardinalList: out of memory");
  FStorage = storage;
  FCapacity = capacity;
}

int TCardinalList::AddSorted(uint32_t value, bool& found) {
  int index = 0;
  found = Find(value, index);
  if (found) return index;
  if (FCount == FCapacity) Grow();
  std::memmove(FStorage + index + 1, FStorage + index, size_t{FCount - index} * 4);
  FStorage[index] = value;
  ++FCount;
  return index;
}

void TCardinalList::Clear() {
  std::free(FStorage);
  FStorage = nullptr;
  FCount = 0;
  FCapacity = 0;
}

uint32_t TCardinalList::Items(int index) const {
  if (index < 0 || static_cast<uint32_t>(index) >= FCount) ListIndexError(index);
  return FStorage[index];
}

void TCardinalList::Destroy() {
  Clear();
  inherited::Destroy();
}

// ---------------------------------------------------------------------------------------------
// TDBItemListEx

namespace {

// Appends the raw bytes of every element, reporting a failure as the report modules expect.
void AppendValueBytes(const Variant& values, String& bytes, String* signature) {
  try {
    for (int i = VarArrayLowBound(values), high = VarArrayHighBound(values); i <= high; ++i) {
      const Variant& element = values[i];
      const size_t start = bytes.size();
      VarAppendRawBytes(element, bytes);
      if (!signature) continue;
      // Type code and length first, so that different element lists never give one signature.
      const uint16_t type = VarType(element);
      const auto length = static_cast<uint32_t>(bytes.size() - start);
      signature->append(reinterpret_cast<const char*>(&type), sizeof type);
      signature->append(reinterpret_cast<const char*>(&length), sizeof length);
      signature->append(bytes, start, length);
    }
  } catch (const Exception& error) {
    ShowMessage("Error - " + error.Message());
    throw;
  }
}

}  // namespace

uint32_t ItemValuesChecksum(const Variant& values) {
  String bytes;
  AppendValueBytes(values, bytes, nullptr);
  return Crc32Register(bytes.data(), bytes.size());
}

// The registered value lists: checksums as the fast pre-test, and the element signatures of
// every registered list, so that a checksum match is confirmed by the values themselves. An open
// hash table keeps the cost per registration flat however many rows a report collects.
class TChecksumSet {
 public:
  // Registers the values; returns whether the same values were registered before.
  bool Register(const Variant& values) {
    FBytes.clear();
    FSignature.clear();
    AppendValueBytes(values, FBytes, &FSignature);
    const uint32_t checksum = Crc32Register(FBytes.data(), FBytes.size());
    FMatches.clear();
    FByChecksum.Collect(checksum, FMatches);
    for (int entry : FMatches)
      if (SignatureAt(FEntries[static_cast<size_t>(entry)]) == FSignature) return true;
    FEntries.push_back({FArena.size(), FSignature.size()});
    FArena += FSignature;
    FByChecksum.Insert(checksum, static_cast<int>(FEntries.size() - 1));
    return false;
  }

  void Clear() {
    FByChecksum.Clear();
    FEntries.clear();
    FArena.clear();
  }

 private:
  struct Entry {
    size_t Offset;
    size_t Length;
  };
  std::string_view SignatureAt(const Entry& entry) const {
    return std::string_view(FArena).substr(entry.Offset, entry.Length);
  }

  THashChains FByChecksum;  // checksum -> entries
  std::vector<Entry> FEntries;
  String FArena;  // the signatures, one after another
  String FBytes;
  String FSignature;
  std::vector<int> FMatches;
};

RTL_CLASS_IMPL(TDBItemListEx, TDBItemList)

void TDBItemListEx::Construct() {
  inherited::Construct();
  FChecksums = std::make_unique<TChecksumSet>();
}

bool TDBItemListEx::Exists(const TDBItem* candidate) {
  if (!candidate) throw Exception("TDBItemListEx.Exists: Item=nil");
  return FChecksums->Register(candidate->Values);
}

void TDBItemListEx::Clear() {
  inherited::Clear();
  FChecksums->Clear();
}

TDBItemListEx::TDBItemListEx() = default;
TDBItemListEx::~TDBItemListEx() = default;

void TDBItemListEx::Destroy() {
  FChecksums.reset();
  inherited::Destroy();
}
