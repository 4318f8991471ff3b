// The row buffer of a dataset: fixed-size rows of 8-byte cells, with no heap allocation per cell.
//
// A row is `NullWords()` words of null bits followed by one 8-byte cell per column. A cell holds
// an integer (also Booleans as 0/1), a double (also dates), a text, or the index of a variant.
// Texts of up to 7 bytes live inside the cell itself; longer texts live in a text arena of large
// blocks, the cell pointing at a 4-byte length followed by the bytes. Rows live in blocks that
// never move, so a row pointer stays valid for the life of the store. A changed text is written
// anew (into the cell or the arena); the old bytes stay in the arena until the store goes, which
// keeps rewriting short fields such as one-character marks free of any allocation.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/rtl/Variant.h"

static_assert(std::endian::native == std::endian::little,
              "texts inside a cell rely on the little-endian byte order");

enum class TStorageKind : uint8_t { Integer, Float, Text, Variant };

class TRowStore {
 public:
  // Rows come in blocks of 2^blockShift; a store of one row (the calculated values) takes 0.
  explicit TRowStore(std::vector<TStorageKind> kinds, unsigned blockShift = 10);
  TRowStore(const TRowStore&) = delete;
  TRowStore& operator=(const TRowStore&) = delete;

  // Identifies this store among all stores made in the process (never 0), so that a bookmark
  // taken on one opening of a dataset is recognised as foreign by the next.
  uint64_t Id() const { return FId; }
  int ColumnCount() const { return static_cast<int>(FKinds.size()); }
  TStorageKind Kind(int column) const { return FKinds[static_cast<size_t>(column)]; }
  uint32_t RowCount() const { return FRowCount; }
  // Words per row.
  size_t Stride() const { return FStride; }

  // Appends a row with every cell NULL and returns its index.
  uint32_t AddRow();
  uint64_t* Row(uint32_t index) {
    return FBlocks[index >> FBlockShift].get() + (index & FBlockMask) * FStride;
  }
  const uint64_t* Row(uint32_t index) const {
    return FBlocks[index >> FBlockShift].get() + (index & FBlockMask) * FStride;
  }
  // Sets every cell of a row image (a row of this store or a copy of one) to NULL.
  void ClearRow(uint64_t* row) const { std::memset(row, 0, FStride * sizeof(uint64_t)); }

  // Cells of a row image. The Set* operations expect a cell of the matching kind.
  static bool IsNull(const uint64_t* row, int column) {
    return ((row[column >> 6] >> (column & 63)) & 1u) == 0;
  }
  int64_t GetInteger(const uint64_t* row, int column) const {
    return static_cast<int64_t>(row[FNullWords + static_cast<size_t>(column)]);
  }
  double GetFloat(const uint64_t* row, int column) const {
    return std::bit_cast<double>(row[FNullWords + static_cast<size_t>(column)]);
  }
  // A view of the text, valid while the row image and this store live and the cell is unchanged.
  std::string_view GetText(const uint64_t* row, int column) const;
  const Variant& GetVariant(const uint64_t* row, int column) const;

  void SetNull(uint64_t* row, int column) const {
    row[column >> 6] &= ~(uint64_t{1} << (column & 63));
  }
  void SetInteger(uint64_t* row, int column, int64_t value) const {
    row[FNullWords + static_cast<size_t>(column)] = static_cast<uint64_t>(value);
    MarkSet(row, column);
  }
  void SetFloat(uint64_t* row, int column, double value) const {
    row[FNullWords + static_cast<size_t>(column)] = std::bit_cast<uint64_t>(value);
    MarkSet(row, column);
  }
  void SetText(uint64_t* row, int column, std::string_view text);
  void SetVariant(uint64_t* row, int column, Variant value);

  // Forgets every text and variant written so far; only for a store whose rows are all written
  // again afterwards (the buffer of calculated fields is rewritten on every calculation).
  void ResetValues();

  // Bytes held: row blocks, text arena and variants.
  size_t MemoryUsed() const;

 private:
  static constexpr size_t kArenaBlock = 256 * 1024;
  static constexpr uint64_t kInlineFlag = uint64_t{1} << 63;

  void MarkSet(uint64_t* row, int column) const {
    row[column >> 6] |= uint64_t{1} << (column & 63);
  }
  char* ArenaAlloc(size_t bytes);

  uint64_t FId;
  std::vector<TStorageKind> FKinds;
  size_t FNullWords;
  size_t FStride;
  unsigned FBlockShift;
  uint32_t FBlockMask;
  uint32_t FRowCount = 0;
  std::vector<std::unique_ptr<uint64_t[]>> FBlocks;
  std::vector<std::unique_ptr<char[]>> FArena;
  char* FArenaCurrent = nullptr;  // the block small texts go to
  size_t FArenaUsed = 0;
  size_t FArenaSize = 0;
  size_t FArenaTotal = 0;
  std::vector<Variant> FVariants;
};
