// Selection items and lists: what every dialog hands back to the host, and what the host hands
// in as the pre-selection. Host and library share these classes, so their fields and operations
// are the interface between the two.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Variant.h"

class TStringList;
class TDBItemList;

// One selected record: its captured values (element 0 is the record ID), a display name and a
// few flags.
class TDBItem : public TObject {
  RTL_CLASS(TDBItem, TObject)
 public:
  TDBItemList* Owner = nullptr;  // the list that accepted the item; not owning
  bool IsIDItem = false;         // built from a bare numeric ID
  String Text;                   // display text; when set, GetText returns it unchanged
  bool Excluded = false;         // pre-selection skips the item
  Variant Values;                // normally a one-dimensional array, element 0 the ID
  String Name;                   // display name of the record

  // From a bare ID: Values becomes [ID] as a double.
  void Construct(double id, const String& name);
  // From values: a non-array is reported in a message box and kept as it is.
  void Construct(const Variant& values);
  void Construct(const Variant& values, const String& name);
  // A copy of Source's values and name; its text and flags are not copied.
  void Construct(const TDBItem* source);

  double GetID() const;
  virtual String GetDebugText() const;
  virtual String GetText() const;
  // Values, name and exclusion flag of Source, and Source's display text as Text.
  void Assign(const TDBItem* source);
};

class TDBItemLookup;

// An owning list of items, with a flag that means all records.
class TDBItemList : public TObject {
  RTL_CLASS(TDBItemList, TObject)
 public:
  TStringList* FieldNames = nullptr;  // names of the captured values, owned
  TDBItem* SingleItem = nullptr;      // one item standing for a single object, owned
  bool AllSelected = false;
  // Kept for the host; the library only initialises them.
  int32_t Tag = 0;
  String KeyField = "ID";
  int32_t ItemIndex = -1;
  String Info;

  void Construct();
  // The word for all records (in the operator's language, any letter case) makes an empty list
  // marked all-selected; otherwise one ID item per comma-separated integer. A piece that is not
  // an integer raises EConvertError and the list is released.
  static TDBItemList* CreateFromText(const String& text);

  // Whether a stored item matches Candidate: element by element over the stored item's index
  // range (a shorter candidate raises the variant index error), the first match ends the walk.
  virtual bool Exists(const TDBItem* candidate);
  // Frees every item; AllSelected becomes false. FieldNames and SingleItem stay.
  virtual void Clear();
  // Appends Item unless Exists finds it; returns whether the list took it. A refused item stays
  // the caller's.
  bool Add(TDBItem* item);
  // Add, freeing the item when the list refuses it: for callers that made the item only to add it.
  bool AddOrFree(TDBItem* item);

  int Count() const;
  TDBItem* Items(int index) const;
  // The owning list itself, for hosts that walk or edit it directly.
  TObjectList* ItemList() const { return FItems; }

  // The IDs of all items joined by ",", with "." as decimal separator whatever the locale.
  String GetIDsText() const;

 protected:
  TDBItemList();  // out of line: the lookup is private to the unit
  ~TDBItemList() override;
  void Destroy() override;

 private:
  friend class TDBItemObjects;
  void ItemsChanged();

  TObjectList* FItems = nullptr;
  std::unique_ptr<TDBItemLookup> FLookup;
  bool FAdding = false;
};

// A sorted set of unsigned 32-bit values in one contiguous, growable array.
class TCardinalList : public TObject {
  RTL_CLASS(TCardinalList, TObject)
 public:
  bool Find(uint32_t value, int& index) const;
  int AddSorted(uint32_t value, bool& found);
  void Clear();
  int Count() const { return static_cast<int>(FCount); }
  int Capacity() const { return static_cast<int>(FCapacity); }
  uint32_t Items(int index) const;

 protected:
  void Destroy() override;

 private:
  void Grow();

  uint32_t* FStorage = nullptr;
  uint32_t FCount = 0;
  uint32_t FCapacity = 0;
};

class TChecksumSet;

// The list with a fast duplicate test for report rows: a checksum of the candidate's raw element
// bytes is the pre-test, and on a checksum match the elements themselves (type code and bytes)
// decide, so different values never count as duplicates.
class TDBItemListEx : public TDBItemList {
  RTL_CLASS(TDBItemListEx, TDBItemList)
 public:
  void Construct();
  // Registers the candidate's values and says whether the same values were registered before.
  bool Exists(const TDBItem* candidate) override;
  void Clear() override;

 protected:
  TDBItemListEx();
  ~TDBItemListEx() override;
  void Destroy() override;

 private:
  std::unique_ptr<TChecksumSet> FChecksums;
};

// The checksum of a value list: CRC-32 register (no final inversion) over the raw bytes of the
// elements; 0xFFFFFFFF when they give no bytes.
uint32_t ItemValuesChecksum(const Variant& values);
