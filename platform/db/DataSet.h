// TDataSet: the cursor over a buffer of rows, with the platform's states, navigation, editing,
// events, bookmarks, Locate and Lookup, local filters and master/detail following.
//
// Rows live in the dataset's own buffer (TRowStore). Local updates (Edit/Insert/Post/Delete)
// change only that buffer; nothing is ever written back to where the rows came from.
//
// The descendant contract (how a query or an in-memory table supplies its data):
// - LoadData(TDataLoad&) is the one source of columns and rows. Open calls it; Refresh and a
//   master's move call it again through InternalRefresh. An override first describes every
//   column with AddColumn (name, field type, size, precision, scale: the Oracle-derived type of
//   the column), then appends rows: AppendRow, then Set* per non-NULL cell (cells start NULL).
//   Cells are converted to the column's kind as they are set (an integer into a float column, a
//   text of digits into a number column, an ISO date text into a date column); a value that
//   cannot be converted raises EDatabaseError. An exception from LoadData leaves the dataset as
//   it was before (closed for Open, the old rows for Refresh).
// - Fields: when no field was declared before Open, the dataset makes one field per column
//   (dynamic fields, owned by the dataset, freed at Close; their class by DefaultFieldClass).
//   When fields were declared (persistent fields, typically by a window), no other field is
//   made, as on the original platform: data fields bind by name to the columns (a missing
//   column raises "Field 'X' not found", a text field on a number column or the reverse raises
//   "Type mismatch for field 'X', expecting: <field type> actual: <column type>"), and columns
//   without a declared field are not reachable through fields (a window that declares fields
//   declares every one it reads). Calculated and lookup fields never bind to a column.
// - InternalRefresh() re-fetches: the default runs LoadData into a new buffer, keeps the fields
//   when the columns are the same (rebinding or re-creating them otherwise) and replaces the old
//   rows; a descendant whose rows are its own (the in-memory table) overrides it.
// - ApplyMasterValues(values) gives a detail (MasterSource, MasterFields) the values of its open
//   master's current row for MasterFields, paired with DetailFields (Null for each when the
//   master has no rows): before the fetch of Open, and whenever the master's current row
//   changes (it scrolls, re-fetches, enters edit state or a master field changes): then the
//   detail posts or cancels its pending edit, takes the values, re-fetches through
//   InternalRefresh, goes to its first row and fires AfterScroll. A closing master leaves the
//   detail's rows as they are; while the master's controls are disabled the detail waits for
//   EnableControls. A query binds the values to its parameters named after the master fields; the
//   in-memory table keeps the rows whose DetailFields equal them (SetLocalRange).
// - CanModify() tells whether Edit/Insert/Delete are allowed (ReadOnly clears it).
//
// Calculated and lookup fields are worked out when one of them is read for a record: once per
// record until a field of it changes (OnCalcFields runs in dsCalcFields state, lookups first).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/db/Fields.h"
#include "platform/db/RowStore.h"

class TDataSource;
class TFilterExpr;
class TMasterDataLink;

enum TDataSetState : uint8_t {
  dsInactive,
  dsBrowse,
  dsEdit,
  dsInsert,
  dsCalcFields,
  dsFilter,
};

// What a dataset tells its data sources (and they their data links).
enum TDataEvent : uint8_t {
  deFieldChange,     // info: the field
  deRecordChange,    // info: the field or nullptr
  deDataSetChange,   // the rows or the position changed in any way
  deDataSetScroll,   // info: the distance moved
  deLayoutChange,    // the fields changed
  deUpdateRecord,    // controls are to write their edits into the fields
  deUpdateState,     // the state changed
  deCheckBrowseMode  // a pending edit is about to be posted or cancelled
};

enum TLocateOption : uint8_t { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = uint8_t;

enum TFilterOption : uint8_t { foCaseInsensitive = 1, foNoPartialCompare = 2 };
using TFilterOptions = uint8_t;

class TDataSet;
using TDataSetNotifyEvent = Event<void(TDataSet*)>;
using TFilterRecordEvent = Event<void(TDataSet*, bool& accept)>;

// A position in a dataset. Valid while the row exists in the same buffer (a re-fetch makes new
// rows, so bookmarks taken before a Refresh or re-open are no longer valid) and passes the
// filter; the empty bookmark is never valid.
struct TBookmark {
  uint64_t Store = 0;
  uint32_t Row = 0;
  bool Empty() const { return Store == 0; }
  friend bool operator==(const TBookmark&, const TBookmark&) = default;
};

// The master's value for one pair of MasterFields / DetailFields.
struct TMasterValue {
  String MasterField;
  String DetailField;  // empty when DetailFields names fewer fields
  Variant Value;
};

// Columns and rows as a descendant delivers them in LoadData.
class TDataLoad {
 public:
  // Describes the next column; all columns come before the first row. A name already used gets
  // a suffix (see TFieldDefs::Add). Returns the column's index.
  int AddColumn(const String& name, TFieldType type, int size = 0, int precision = 0, int scale = 0,
                bool required = false);

  // Starts a new row with every cell NULL.
  void AppendRow();
  void SetNull(int column);
  void SetInteger(int column, int64_t value);
  // Also a TDateTime for date columns.
  void SetFloat(int column, double value);
  void SetText(int column, std::string_view text);
  // Null and Unassigned give NULL.
  void SetValue(int column, const Variant& value);

 private:
  friend class TDataSet;
  TDataLoad() = default;
  void CheckCell(int column) const;
  [[noreturn]] void ConversionError(int column, std::string_view text) const;
  TRowStore& Store();

  TFieldDefs FDefs;
  std::unique_ptr<TRowStore> FStore;
  uint64_t* FRow = nullptr;
};

class TDataSet : public TComponent {
  RTL_CLASS(TDataSet, TComponent)
 public:
  // --- opening and closing ------------------------------------------------------------------
  bool Active() const { return FState != dsInactive; }
  void SetActive(bool value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  // Re-fetches the rows (a pending edit is posted first; rows changed locally come back as the
  // source has them) and keeps the cursor at the same record number, or the last row when
  // there are fewer now. Fires BeforeRefresh and AfterRefresh.
  void Refresh();
  TDataSetState State() const { return FState; }

  // --- navigation ---------------------------------------------------------------------------
  // Each posts or cancels a pending edit first and fires BeforeScroll and, when the cursor
  // moved (or ran into an end), AfterScroll.
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Returns the rows actually moved.
  int MoveBy(int distance);
  bool Bof() const { return FBof; }
  bool Eof() const { return FEof; }
  // 1-based position of the current row among the rows that pass the filter; 0 when there is
  // none.
  int RecNo() const;
  void SetRecNo(int value);
  // Rows that pass the local filter (and, in a detail table, the master's range).
  int RecordCount() const;
  bool IsEmpty() const;

  // --- editing ------------------------------------------------------------------------------
  // Edit on an empty dataset starts an insert, as on the original platform.
  void Edit();
  // Inserts a new row before the current one (Append: after the last one).
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  // Append (Insert) and set the fields in order from the values, then Post.
  void AppendRecord(std::initializer_list<Variant> values);
  void InsertRecord(std::initializer_list<Variant> values);
  // Posts a pending edit when a field changed, cancels it otherwise.
  void CheckBrowseMode();
  // True when a field was set since Edit or Insert.
  bool Modified() const { return FModified; }
  virtual bool CanModify() const { return !FReadOnly; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }

  // --- controls -----------------------------------------------------------------------------
  // While disabled (nested), data sources and their links (grids, master/detail links) hear
  // nothing; the dataset's own events still fire. The last EnableControls tells them that
  // everything changed.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount > 0; }

  // --- bookmarks ----------------------------------------------------------------------------
  TBookmark GetBookmark() const;
  // Raises "Record not found" for a bookmark that is not valid.
  void GotoBookmark(const TBookmark& bookmark);
  bool BookmarkValid(const TBookmark& bookmark) const;
  // Negative, 0 or positive by the rows' order; an empty bookmark comes before any other.
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;
  void FreeBookmark(TBookmark& bookmark) const { bookmark = {}; }

  // --- searching ----------------------------------------------------------------------------
  // Finds the first row (among those that pass the filter) whose fields ("A;B;C") equal the
  // values: one value for one field, a variant array with one element per field otherwise.
  // Numbers compare by value whatever their types; a text value for a number field is read as a
  // number. loPartialKey makes a string field match when it starts with the value (other fields
  // still compare whole); loCaseInsensitive ignores letter case of strings. A Null value matches
  // a NULL field only. The cursor moves (with AfterScroll) only when a row is found; a pending
  // edit is posted or cancelled first.
  bool Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options = 0);
  // The ResultFields ("A" or "A;B": a variant array) of the first row whose KeyFields equal the
  // values exactly; Null when none. The cursor does not move and no event fires.
  Variant Lookup(const String& keyFields, const Variant& keyValues, const String& resultFields);

  // --- local filter -------------------------------------------------------------------------
  // The expression: comparisons (= <> < > <= >=) of fields with numbers, quoted strings ('it''s')
  // or other fields, combined with AND, OR, NOT and parentheses, keywords and field names in any
  // case, any spacing; "F IS NULL", "F IS NOT NULL"; a string literal ending in "*" compared with
  // = or <> matches by prefix unless foNoPartialCompare. A comparison with a NULL side never
  // matches. Setting a text that does not parse while filtered raises and keeps the old one.
  const String& Filter() const { return FFilterText; }
  void SetFilter(const String& text);
  bool Filtered() const { return FFiltered; }
  void SetFiltered(bool value);
  TFilterOptions FilterOptions() const { return FFilterOptions; }
  void SetFilterOptions(TFilterOptions options);

  // --- fields -------------------------------------------------------------------------------
  TFields* Fields() { return &FFields; }
  const TFields* Fields() const { return &FFields; }
  int FieldCount() const { return FFields.Count(); }
  // Letter case ignored. FieldByName raises "Field 'X' not found".
  TField* FindField(const String& name) const { return FFields.FindField(name); }
  TField* FieldByName(const String& name) const;
  // The columns of the open dataset (or, before the first opening, as declared).
  TFieldDefs* FieldDefs() { return &FFieldDefs; }
  const TFieldDefs* FieldDefs() const { return &FFieldDefs; }
  // True while the fields were made by the dataset itself (no persistent fields).
  bool DefaultFields() const { return FDefaultFields; }

  // --- master/detail ------------------------------------------------------------------------
  TDataSource* MasterSource() const;
  // Raises "Circular datalinks are not allowed" when the master follows this dataset.
  void SetMasterSource(TDataSource* source);
  const String& MasterFields() const { return FMasterFields; }
  void SetMasterFields(const String& value);
  const String& DetailFields() const { return FDetailFields; }
  void SetDetailFields(const String& value);

  // --- reading other rows -------------------------------------------------------------------
  // Makes the row at a record number (1-based) the one fields read, without moving the cursor
  // and without events, for the life of the scope: what a grid does to paint its rows. The
  // current row while editing reads the edit.
  class TActiveRecordScope {
   public:
    TActiveRecordScope(TDataSet* dataSet, int recNo);
    ~TActiveRecordScope();
    TActiveRecordScope(const TActiveRecordScope&) = delete;
    TActiveRecordScope& operator=(const TActiveRecordScope&) = delete;

   private:
    TDataSet* FDataSet;
    const uint64_t* FSavedRow;
    int64_t FSavedKey;
  };

  // Bytes the row buffer holds (for the benchmarks).
  size_t BufferMemoryUsed() const;

  // --- events -------------------------------------------------------------------------------
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent BeforeRefresh, AfterRefresh;
  TDataSetNotifyEvent OnCalcFields, OnNewRecord;
  TFilterRecordEvent OnFilterRecord;

 protected:
  TDataSet();
  ~TDataSet() override;
  void Destroy() override;
  void Notification(TComponent* component, TOperation operation) override;

  // The descendant contract (see the top of this file).
  virtual void LoadData(TDataLoad& load) = 0;
  virtual void InternalRefresh();
  virtual void ApplyMasterValues(const std::vector<TMasterValue>& values) {}

  // Restricts the visible rows to those whose fields equal the values (DetailField names the
  // field; a Null value admits no row); an empty list lifts the restriction. Takes effect at the
  // next RebuildVisibleRows (InternalRefresh or Open).
  void SetLocalRange(const std::vector<TMasterValue>& values);
  // Re-applies the range and the filter to every row; the caller places the cursor.
  void RebuildVisibleRows();

  [[noreturn]] void Error(const String& message) const { DatabaseError(message, this); }
  void CheckActive() const;
  void CheckInactive() const;
  void DataEvent(TDataEvent event, intptr_t info = 0);

 private:
  friend class TField;
  friend class TDataSource;
  friend class TMasterDataLink;

  static constexpr int64_t kNoRow = -1;
  static constexpr int64_t kEditRow = -2;

  // Opening and binding.
  void OpenCursor();
  void CloseCursor();
  std::unique_ptr<TRowStore> Fetch(TFieldDefs& defs);
  void BindFields(const TFieldDefs& defs, bool create);
  void CheckBindable(const TFieldDefs& defs) const;
  void DestroyDynamicFields();
  void SetupCalcStore();
  void AttachField(TField* field);
  void DetachField(TField* field);

  // Rows and cursor.
  int VisibleCount() const;
  uint32_t RowAt(int position) const;
  int PositionOf(uint32_t row) const;
  bool RowPasses(uint32_t row);
  void CompileRange();
  std::unique_ptr<TFilterExpr> CompileFilter(const String& text) const;
  void ApplyFilterChange();
  void SetCursor(int position);
  void SyncActiveRow();
  void SetState(TDataSetState state);
  void EnsureCalculated() const;
  void Calculate();
  void FieldChanged(TField* field);
  void BeginInsert(bool append);
  void InsertOrAppendRecord(std::initializer_list<Variant> values, bool append);
  void AfterPostRow(uint32_t row, int position);
  void MaterializeOrder();
  void RemoveVisibleAt(int position);
  void InvalidatePositions() { FPositionsValid = false; }
  std::vector<TField*> FieldList(const String& names) const;
  // The visible position of the first row matching, -1 when none.
  int FindRow(const String& keyFields, const Variant& keyValues, TLocateOptions options);

  // Master/detail.
  void MasterChanged();
  std::vector<TMasterValue> MasterValues() const;

  // Data sources.
  void AddDataSource(TDataSource* source);
  void RemoveDataSource(TDataSource* source);

  void DoEvent(const TDataSetNotifyEvent& event) {
    if (event) event(this);
  }

  TDataSetState FState = dsInactive;
  bool FBof = true;
  bool FEof = true;
  bool FModified = false;
  bool FReadOnly = false;
  bool FDefaultFields = false;
  bool FFiltered = false;
  TFilterOptions FFilterOptions = 0;
  String FFilterText;
  std::unique_ptr<TFilterExpr> FFilterExpr;

  TFields FFields;
  TFieldDefs FFieldDefs;
  std::unique_ptr<TRowStore> FStore;
  // Calculated and lookup fields of the active record: one row, rewritten on every calculation.
  std::unique_ptr<TRowStore> FCalcStore;
  mutable int64_t FCalcKey = kNoRow;
  mutable bool FCalcValid = false;
  bool FCalculating = false;

  // The order of the rows (storage indexes), empty while it is the storage order; and the rows
  // that pass range and filter, used only while a range or a filter is on.
  std::vector<uint32_t> FOrder;
  bool FOrderIsIdentity = true;
  std::vector<uint32_t> FVisible;
  bool FVisibleIsOrder = true;
  // Storage index -> visible position (-1 when hidden), rebuilt on demand.
  mutable std::vector<int32_t> FPositions;
  mutable bool FPositionsValid = false;

  int FCursor = -1;
  // The row image fields read (a stored row, the edit buffer, or another row for a moment) and
  // the storage index it stands for (kEditRow for the edit buffer, kNoRow for none).
  const uint64_t* FActiveRow = nullptr;
  int64_t FActiveKey = kNoRow;
  std::vector<uint64_t> FEditRow;
  int FInsertPosition = -1;  // where an insert goes
  int FCursorBeforeInsert = -1;

  // A field's value to compare rows with (Locate, Lookup, the local range).
  struct TMatchKey {
    enum class TKind : uint8_t { Text, Number, Variant };
    TField* Field = nullptr;
    TKind Kind = TKind::Variant;
    bool Null = false;
    bool PrefixAllowed = false;  // partial keys apply to string fields only
    double Number = 0;
    String Text;
    String Upper;
    Variant Value;
  };
  TMatchKey PrepareKey(TField* field, const Variant& value) const;
  static bool KeyMatches(const TMatchKey& key, TLocateOptions options);
  std::vector<TMasterValue> FRange;
  std::vector<TMatchKey> FRangeKeys;

  int FDisableCount = 0;
  TDataSetState FDisableState = dsInactive;
  TDataEvent FEnableEvent = deDataSetChange;

  std::vector<TDataSource*> FDataSources;
  std::unique_ptr<TMasterDataLink> FMasterLink;
  String FMasterFields;
  String FDetailFields;
};

// Splits "A;B;C" into names (blanks around a name ignored, empty names dropped).
std::vector<String> SplitFieldNames(const String& names);
