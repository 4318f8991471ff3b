// String lists: the abstract TStrings (lines with attached object references, name=value
// access, text forms) and the concrete TStringList (optionally sorted, change events, owned
// objects).
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Event.h"

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// The common protocol of every list of lines. Descendants supply storage through the virtual
// operations; everything else (text forms, name=value access, assignment) is built on them.
// Index errors raise EStringListError "List index out of bounds (<index>)".
class TStrings : public TPersistent {
  RTL_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  virtual String Strings(int index) const = 0;
  virtual void SetStrings(int index, const String& value) = 0;
  // The object attached to a line; nullptr unless one was attached.
  virtual TObject* Objects(int index) const;
  virtual void SetObjects(int index, TObject* object);

  int Add(const String& value) { return AddObject(value, nullptr); }
  // Adds a line and returns its index.
  virtual int AddObject(const String& value, TObject* object);
  void Insert(int index, const String& value) { InsertObject(index, value, nullptr); }
  virtual void InsertObject(int index, const String& value, TObject* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int index1, int index2);
  virtual void Move(int currentIndex, int newIndex);
  // Adds every line (and its object) of another list.
  virtual void AddStrings(TStrings* strings);
  // Copies the lines, objects and text-form settings of another TStrings.
  void Assign(TPersistent* source) override;

  // Index of the first line equal to the value (by CompareStrings), -1 when there is none.
  virtual int IndexOf(const String& value) const;
  int IndexOfObject(const TObject* object) const;
  // Index of the first "name=value" line of that name, -1 when there is none.
  int IndexOfName(const String& name) const;
  // The part before the first separator; "" for a line without one.
  String Names(int index) const;
  // The part after the first separator; "" for a line without one.
  String ValueFromIndex(int index) const;
  // Replaces the value of the line; an empty value deletes the line.
  void SetValueFromIndex(int index, const String& value);
  String Values(const String& name) const;
  // Sets the value of the named line, adding the line when there is none; an empty value deletes
  // the line.
  void SetValues(const String& name, const String& value);

  // Every line followed by CR LF.
  String Text() const;
  // Lines separated by CR LF, LF or CR; a final line break adds no empty line.
  virtual void SetText(const String& text);
  // The delimited form with ',' and '"' and blanks separating, whatever the list's settings.
  String CommaText() const;
  void SetCommaText(const String& text);
  // Items joined by Delimiter. An item holding the delimiter, the quote character or (unless
  // StrictDelimiter) a character up to blank is quoted, inner quotes doubled; an empty item is
  // written as two quote characters.
  String DelimitedText() const;
  // Splits at Delimiter and, unless StrictDelimiter, at characters up to blank (codes 1..32,
  // leading ones skipped); a quoted part may hold anything, doubled quotes standing for one.
  // "1,,2" gives "1", "", "2"; a final delimiter gives a final empty item.
  void SetDelimitedText(const String& text);

  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char value) { FDelimiter = value; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char value) { FQuoteChar = value; }
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char value) { FNameValueSeparator = value; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool value) { FStrictDelimiter = value; }

  // Change notification is held back between the outermost BeginUpdate and its EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // UTF-8 text; a UTF-8 byte order mark is skipped. Raises EInOutError when the file cannot be
  // read.
  void LoadFromFile(const String& fileName);
  // Writes Text as UTF-8, replacing the file in one step (see AtomicWriteFile).
  void SaveToFile(const String& fileName) const;

 protected:
  TStrings() = default;

  // Told when the outermost update begins (true) and ends (false).
  virtual void SetUpdateState(bool updating) {}
  int UpdateCount() const { return FUpdateCount; }
  // The ordering and equality of lines: Unicode-aware and without regard to letter case.
  virtual int CompareStrings(const String& a, const String& b) const;
  [[noreturn]] void IndexError(int index) const;
  void CheckIndex(int index, int count) const;

 private:
  String JoinDelimited(char delimiter, char quote, bool strict) const;
  void SplitDelimited(const String& text, char delimiter, char quote, bool strict);

  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
  bool FStrictDelimiter = false;
  int FUpdateCount = 0;
};

// Holds change notification of a list back for a scope, also when an exception leaves it.
class TStringsUpdateScope {
 public:
  explicit TStringsUpdateScope(TStrings* strings) : FStrings(strings) { FStrings->BeginUpdate(); }
  ~TStringsUpdateScope() { FStrings->EndUpdate(); }
  TStringsUpdateScope(const TStringsUpdateScope&) = delete;
  TStringsUpdateScope& operator=(const TStringsUpdateScope&) = delete;

 private:
  TStrings* FStrings;
};

// The splitting rules of DelimitedText, item by item, for callers that need no list.
void SplitDelimitedText(const String& text, char delimiter, char quote, bool strict,
                        const std::function<void(String)>& add);

class TStringList;
// Compares the lines at two indexes: negative, zero or positive.
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

// The list of lines held in memory. When Sorted, lines are kept in order (by AnsiCompareText,
// or by AnsiCompareStr when CaseSensitive), Find and IndexOf use a binary search and Duplicates
// decides what adding an existing line does. Positional changes (Insert, SetStrings, Exchange,
// Move) of a sorted list raise EStringListError "Operation not allowed on sorted list".
// OnChanging and OnChange fire around every change outside BeginUpdate/EndUpdate.
class TStringList : public TStrings {
  RTL_CLASS(TStringList, TStrings)
 public:
  // With ownsObjects the list frees the objects of the lines it deletes, clears or is freed
  // with (replacing a line's object does not free the old one).
  void Construct(bool ownsObjects = false) { FOwnsObjects = ownsObjects; }

  int Count() const override { return static_cast<int>(FItems.size()); }
  String Strings(int index) const override;
  void SetStrings(int index, const String& value) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  int AddObject(const String& value, TObject* object) override;
  void InsertObject(int index, const String& value, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int currentIndex, int newIndex) override;
  int IndexOf(const String& value) const override;

  // Binary search of a sorted list: true when the value is there, with index at its (first)
  // line; otherwise false with index where it would be inserted. On an unsorted list it finds
  // the line as IndexOf does (index is Count when absent).
  bool Find(const String& value, int& index) const;
  void Sort();
  // Orders an unsorted list by the comparison (a stable sort; a sorted list is left as it is).
  void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool value) { FOwnsObjects = value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  TStringList() = default;

  void SetUpdateState(bool updating) override;
  int CompareStrings(const String& a, const String& b) const override;
  void Destroy() override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct TStringItem {
    String FString;
    TObject* FObject;
  };

  void InsertItem(int index, const String& value, TObject* object);
  void CheckNotSorted() const;
  std::vector<int> SortedOrder(const TStringListSortCompare& compare);
  // Empties the list, freeing the objects when it owns them; no events.
  void RemoveAllItems();

  std::vector<TStringItem> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
};
