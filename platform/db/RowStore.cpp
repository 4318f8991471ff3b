#include "platform/db/RowStore.h"

#include <atomic>

namespace {

std::atomic<uint64_t> gNextStoreId{1};

}  // namespace

TRowStore::TRowStore(std::vector<TStorageKind> kinds, unsigned blockShift)
    : FId(gNextStoreId.fetch_add(1)),
      FKinds(std::move(kinds)),
      FNullWords((FKinds.size() + 63) / 64),
      FStride(FNullWords + FKinds.size()),
      FBlockShift(blockShift),
      FBlockMask((1u << blockShift) - 1) {
  if (FStride == 0) FStride = 1;  // a row without columns still has an identity
}

uint32_t TRowStore::AddRow() {
  const uint32_t index = FRowCount;
  if ((index & FBlockMask) == 0)
    FBlocks.push_back(std::make_unique<uint64_t[]>((FBlockMask + 1) * FStride));
  ++FRowCount;
  ClearRow(Row(index));
  return index;
}

std::string_view TRowStore::GetText(const uint64_t* row, int column) const {
  const uint64_t* cell = row + FNullWords + column;
  if (*cell & kInlineFlag)
    return {reinterpret_cast<const char*>(cell), static_cast<size_t>((*cell >> 56) & 0x7F)};
  const char* entry = reinterpret_cast<const char*>(static_cast<uintptr_t>(*cell));
  uint32_t length;
  std::memcpy(&length, entry, sizeof(length));
  return {entry + sizeof(length), length};
}

const Variant& TRowStore::GetVariant(const uint64_t* row, int column) const {
  return FVariants[static_cast<size_t>(row[FNullWords + static_cast<size_t>(column)])];
}

char* TRowStore::ArenaAlloc(size_t bytes) {
  // A large text gets a block of its own, so the current block keeps serving small ones.
  if (bytes > kArenaBlock / 4) {
    FArena.push_back(std::make_unique<char[]>(bytes));
    FArenaTotal += bytes;
    return FArena.back().get();
  }
  if (FArenaSize == 0 || FArenaUsed + bytes > FArenaSize) {
    FArena.push_back(std::make_unique<char[]>(kArenaBlock));
    FArenaTotal += kArenaBlock;
    FArenaCurrent = FArena.back().get();
    FArenaSize = kArenaBlock;
    FArenaUsed = 0;
  }
  char* result = FArenaCurrent + FArenaUsed;
  FArenaUsed += bytes;
  return result;
}

void TRowStore::SetText(uint64_t* row, int column, std::string_view text) {
  uint64_t& cell = row[FNullWords + static_cast<size_t>(column)];
  if (text.size() <= 7) {
    uint64_t packed = 0;
    std::memcpy(&packed, text.data(), text.size());
    cell = packed | kInlineFlag | (static_cast<uint64_t>(text.size()) << 56);
  } else {
    if (text.size() > UINT32_MAX) throw EDatabaseError("Text value too long");
    const auto length = static_cast<uint32_t>(text.size());
    char* entry = ArenaAlloc(sizeof(length) + text.size());
    std::memcpy(entry, &length, sizeof(length));
    std::memcpy(entry + sizeof(length), text.data(), text.size());
    cell = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(entry));
  }
  MarkSet(row, column);
}

void TRowStore::SetVariant(uint64_t* row, int column, Variant value) {
  if (VarIsNull(value) || VarIsEmpty(value)) {
    SetNull(row, column);
    return;
  }
  FVariants.push_back(std::move(value));
  row[FNullWords + static_cast<size_t>(column)] = FVariants.size() - 1;
  MarkSet(row, column);
}

void TRowStore::ResetValues() {
  FVariants.clear();
  if (FArena.empty()) return;
  // Keep the current block for the next round; let the rest go.
  std::unique_ptr<char[]> keep;
  for (auto& block : FArena)
    if (block.get() == FArenaCurrent) keep = std::move(block);
  FArena.clear();
  FArenaTotal = 0;
  FArenaUsed = 0;
  FArenaSize = 0;
  FArenaCurrent = nullptr;
  if (keep) {
    FArenaCurrent = keep.get();
    FArenaSize = kArenaBlock;
    FArenaTotal = kArenaBlock;
    FArena.push_back(std::move(keep));
  }
}

size_t TRowStore::MemoryUsed() const {
  return FBlocks.size() * (FBlockMask + 1) * FStride * sizeof(uint64_t) + FArenaTotal +
         FVariants.capacity() * sizeof(Variant);
}
