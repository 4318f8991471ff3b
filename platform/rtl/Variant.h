// The platform's variant: a tagged value with COM type codes (plus 256 for an 8-bit string) and
// one-dimensional variant arrays, converting and comparing the way the original platform does.
//
// Layout: 16 bytes, a type code and one 8-byte payload. Scalars never allocate; texts share one
// immutable, reference-counted buffer (copying a text variant is a counter increment); an array
// is owned by its variant and copied deeply with it, so two variants never share an array.
// Both text kinds hold UTF-8; the code-page forms are made only where bytes are asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/rtl/SysUtils.h"

using TVarType = uint16_t;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;  // 8-bit character string
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant {
 public:
  // Unassigned (varEmpty).
  Variant() noexcept : FType(varEmpty) { FValue.Int = 0; }

  Variant(bool value) noexcept : Variant(varBoolean, value ? -1 : 0) {}
  Variant(signed char value) noexcept : Variant(varShortInt, value) {}
  Variant(unsigned char value) noexcept : Variant(varByte, value) {}
  Variant(short value) noexcept : Variant(varSmallint, value) {}
  Variant(unsigned short value) noexcept : Variant(varWord, value) {}
  Variant(int value) noexcept : Variant(varInteger, value) {}
  Variant(unsigned int value) noexcept : Variant(varLongWord, value) {}
  Variant(long value) noexcept : Variant(varInt64, value) {}
  Variant(long long value) noexcept : Variant(varInt64, value) {}
  Variant(float value) noexcept : FType(varSingle) {
    FValue.Int = 0;
    FValue.Single = value;
  }
  // A TDateTime argument is a plain double here; dates are made by VarFromDateTime.
  Variant(double value) noexcept : FType(varDouble) { FValue.Double = value; }
  // Texts become wide strings (varOleStr), as the platform's string assignment does; an 8-bit
  // string (varString) is made by VarAsString8. A null pointer is the empty text.
  Variant(const char* text);
  Variant(String text);
  // Any other pointer would silently turn into a Boolean.
  template <typename T>
  Variant(T*) = delete;

  Variant(const Variant& other);
  Variant(Variant&& other) noexcept : FType(other.FType), FValue(other.FValue) {
    other.FType = varEmpty;
  }
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() {
    if (OwnsHeap()) ReleaseHeap();
  }

  static Variant Null() noexcept;

  // The type code; an array gives varArray | its element type.
  TVarType VType() const noexcept { return FType; }

  // Conversions. Empty gives 0 / false / ""; Null, arrays and texts that are not numbers raise
  // EVariantTypeCastError; a value outside the target's range raises EVariantOverflowError
  // (never truncated); fractions round half to even.
  double AsDouble() const;
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  bool AsBoolean() const;
  String AsString() const;
  TDateTime AsDateTime() const;

  // Array elements. A non-array raises EVariantInvalidArgError, an index outside the bounds
  // EVariantBadIndexError. SetElement converts the value to a typed array's element type.
  Variant GetElement(int index) const;
  void SetElement(int index, Variant value);
  // A view of the element, valid until the array is changed.
  const Variant& operator[](int index) const;

  // Numbers by value across numeric types (Boolean -1/0, currency and date by value), texts by
  // content across both string kinds, a text against a number as a number, Empty as 0 or "",
  // Null equal only to Null. Arrays raise EVariantInvalidOpError; a text that is not a number
  // compared with a number raises EVariantTypeCastError.
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  friend struct VariantCore;
  struct TextData;
  struct ArrayData;

  union Payload {
    int64_t Int;    // every integer kind, Boolean (-1/0), currency (scaled by 10000)
    double Double;  // double and date
    float Single;
    TextData* Text;
    ArrayData* Array;
  };

  Variant(TVarType type, int64_t value) noexcept : FType(type) { FValue.Int = value; }
  bool OwnsHeap() const noexcept {
    return FType == varOleStr || FType == varString || (FType & varArray) != 0;
  }
  void ReleaseHeap() noexcept;
  void Swap(Variant& other) noexcept;

  TVarType FType;
  Payload FValue;
};

inline Variant Null() noexcept { return Variant::Null(); }
inline Variant Unassigned() noexcept { return Variant(); }

// Factories for the kinds no C++ type stands for.
Variant VarAsString8(String text);              // varString
Variant VarFromDateTime(TDateTime value);       // varDate
Variant VarFromCurrencyScaled(int64_t scaled);  // varCurrency: the value times 10000

inline TVarType VarType(const Variant& v) noexcept { return v.VType(); }
// "Integer", "OleStr", "Array of Variant", ...; an unknown code as "$000E".
String VarTypeAsText(TVarType type);

bool VarIsEmpty(const Variant& v) noexcept;
bool VarIsNull(const Variant& v) noexcept;
bool VarIsClear(const Variant& v) noexcept;
bool VarIsArray(const Variant& v) noexcept;
// Integer kinds and Boolean.
bool VarIsOrdinal(const Variant& v) noexcept;
// Single, double and currency.
bool VarIsFloat(const Variant& v) noexcept;
bool VarIsNumeric(const Variant& v) noexcept;
bool VarIsStr(const Variant& v) noexcept;

// Null gives "" (VarToStr) or the default (VarToStrDef); anything else converts as AsString.
String VarToStr(const Variant& v);
String VarToStrDef(const Variant& v, const String& defaultText);
// The value converted to the given type code (an array only to its own type).
Variant VarAsType(const Variant& v, TVarType type);

// Less, equal, greater on the rules of ==; vrNotEqual when there is no order (Null against
// anything else, NaN).
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);

// Arrays of one dimension. The element type is varVariant in normal use; a typed array holds
// values of its element type (0, "" or false to start with). Bounds with high < low - 1 or an
// element type arrays cannot hold raise EVariantArrayCreateError.
Variant VarArrayCreate(int low, int high, TVarType elementType);
Variant VarArrayOf(std::initializer_list<Variant> values);  // bounds 0..n-1, varVariant
// Non-arrays raise EVariantInvalidArgError, a dimension other than 1 EVariantBadIndexError.
int VarArrayDimCount(const Variant& v) noexcept;  // 1 for an array, 0 otherwise
int VarArrayLowBound(const Variant& v, int dim = 1);
int VarArrayHighBound(const Variant& v, int dim = 1);
// Keeps the low bound and the elements up to newHigh; new elements start as in VarArrayCreate.
void VarArrayRedim(Variant& v, int newHigh);

// A hashable key for indexes that must agree with ==.
struct VarKey {
  enum class TKind : uint8_t { Number, Text, Null };

  static VarKey OfNumber(double value);
  static VarKey OfText(String text);
  static VarKey OfNull();

  friend bool operator==(const VarKey& a, const VarKey& b) noexcept;

  TKind Kind = TKind::Null;
  double Number = 0;  // -0 is kept as 0, so equal numbers give equal keys
  String Text;
};

struct VarKeyHash {
  size_t operator()(const VarKey& key) const noexcept;
};

template <>
struct std::hash<VarKey> : VarKeyHash {};

// Replaces `out` with the keys of v. Guarantee: whenever a == b holds (without an exception),
// the keys of a and the keys of b have at least one key in common. Keys may also be shared by
// values that are not equal, so an index lookup confirms its candidates with ==. A value with no
// keys (arrays and kinds that cannot be keyed) must be compared with every entry by ==.
//   number, date, currency, Boolean -> its value (Boolean -1/0)
//   text -> its content, plus each number the text reads as under ".", "," and the current
//           decimal separator (so keys taken under one separator still meet a lookup under the
//           other)
//   Empty -> 0 and ""
//   Null -> the null key
void VarEqualityKeys(const Variant& v, std::vector<VarKey>& out);

// Appends the element's raw bytes for checksums, by type code: integers, Boolean (as a 16-bit
// 0/-1), single, double, date and currency in their little-endian in-memory form; a wide string
// as that many UTF-16 code units as its Windows-1251 form has characters; an 8-bit string as its
// Windows-1251 bytes. Every other kind appends nothing.
void VarAppendRawBytes(const Variant& element, std::string& buffer);
