#include "platform/rtl/Variant.h"

#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <new>

#include "platform/rtl/Text.h"

// Texts are immutable once made, so variants share them; the count is atomic because a variant
// may be copied on any thread even though the system itself keeps to one.
struct Variant::TextData {
  explicit TextData(String text) : Text(std::move(text)) {}
  std::atomic<int32_t> Refs{1};
  const String Text;
};

// The elements of an array. Up to two live inside the array's own record: the [ID] and
// [ID, number] arrays that selection items and rows carry by the hundred thousand are then one
// block on the heap instead of two.
class TVariantItems {
 public:
  // Element i is made from elementAt(i); when one of them fails, those made are undone.
  template <class F>
  TVariantItems(size_t count, F elementAt) {
    if (count > kInline) FHeap = static_cast<Variant*>(::operator new(count * sizeof(Variant)));
    try {
      for (; FSize < count; ++FSize) new (Data() + FSize) Variant(elementAt(FSize));
    } catch (...) {
      Release();
      throw;
    }
  }
  TVariantItems(const TVariantItems& other)
      : TVariantItems(other.FSize, [&other](size_t i) -> const Variant& { return other[i]; }) {}
  TVariantItems& operator=(const TVariantItems&) = delete;
  ~TVariantItems() { Release(); }

  size_t size() const { return FSize; }
  Variant& operator[](size_t i) { return Data()[i]; }
  const Variant& operator[](size_t i) const { return Data()[i]; }

  // Keeps the first elements, adds copies of fill; when that fails the elements stay as they
  // were.
  void resize(size_t count, const Variant& fill) {
    TVariantItems resized(count,
                          [&](size_t i) -> const Variant& { return i < FSize ? (*this)[i] : fill; });
    Release();
    TakeFrom(resized);
  }

 private:
  static constexpr size_t kInline = 2;

  Variant* Data() { return FHeap ? FHeap : reinterpret_cast<Variant*>(FInline); }
  const Variant* Data() const { return FHeap ? FHeap : reinterpret_cast<const Variant*>(FInline); }

  void Release() noexcept {
    for (size_t i = 0; i < FSize; ++i) Data()[i].~Variant();
    ::operator delete(FHeap);
    FHeap = nullptr;
    FSize = 0;
  }

  // Takes over other's elements (moving a variant never fails) and leaves it empty.
  void TakeFrom(TVariantItems& other) noexcept {
    if (other.FHeap) {
      FHeap = other.FHeap;
    } else {
      for (size_t i = 0; i < other.FSize; ++i) {
        new (Data() + i) Variant(std::move(other.Data()[i]));
        other.Data()[i].~Variant();
      }
    }
    FSize = other.FSize;
    other.FHeap = nullptr;
    other.FSize = 0;
  }

  size_t FSize = 0;
  Variant* FHeap = nullptr;
  alignas(Variant) unsigned char FInline[kInline * sizeof(Variant)];
};

struct Variant::ArrayData {
  int32_t Low;
  TVarType ElementType;
  TVariantItems Items;
};

static_assert(sizeof(Variant) == 16, "a variant is a type code and one 8-byte payload");

namespace {

bool IsIntegerCode(TVarType type) {
  switch (type) {
    case varSmallint:
    case varInteger:
    case varBoolean:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return true;
    default:
      return false;
  }
}

bool IsFloatCode(TVarType type) {
  return type == varSingle || type == varDouble || type == varCurrency;
}

// Everything that compares and converts as a number.
bool IsNumberCode(TVarType type) {
  return IsIntegerCode(type) || IsFloatCode(type) || type == varDate;
}

bool IsTextCode(TVarType type) { return type == varOleStr || type == varString; }

// The element types a variant array can hold.
bool IsArrayElementCode(TVarType type) {
  return type == varVariant || type == varOleStr || IsNumberCode(type);
}

[[noreturn]] void RaiseCastError(TVarType from, TVarType to) {
  throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(from) +
                              ") into type (" + VarTypeAsText(to) + ")");
}

[[noreturn]] void RaiseOverflow(TVarType from, TVarType to) {
  throw EVariantOverflowError("Overflow while converting variant of type (" + VarTypeAsText(from) +
                              ") into type (" + VarTypeAsText(to) + ")");
}

[[noreturn]] void RaiseInvalidArg() { throw EVariantInvalidArgError("Invalid argument"); }
[[noreturn]] void RaiseBadIndex() {
  throw EVariantBadIndexError("Variant or safe array index out of bounds");
}
[[noreturn]] void RaiseArrayCreate() {
  throw EVariantArrayCreateError("Error creating variant or safe array");
}
[[noreturn]] void RaiseInvalidOp() { throw EVariantInvalidOpError("Invalid variant operation"); }

// A text read as a number under the given decimal separator. Boolean texts read as the numbers
// a Boolean stands for, so a Boolean turned into text and back compares as it did before.
bool TryTextToDouble(const String& text, char decimalSeparator, double& value) {
  if (TryStrToFloat(text, value, decimalSeparator)) return true;
  if (SameText(text, "True")) {
    value = -1;
    return true;
  }
  if (SameText(text, "False")) {
    value = 0;
    return true;
  }
  return false;
}

// Half to even, into 64 bits; NaN, infinities and out-of-range values are overflows.
int64_t RoundHalfEven(double value, TVarType from, TVarType to) {
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (!(value >= -kTwoTo63 && value < kTwoTo63)) RaiseOverflow(from, to);
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  if (whole >= kTwoTo63) RaiseOverflow(from, to);
  return static_cast<int64_t>(whole);
}

// Currency to whole units, half to even, exactly on the scaled integer.
int64_t RoundCurrency(int64_t scaled) {
  int64_t units = scaled / 10000;
  const int64_t rest = scaled % 10000;
  const bool odd = (units % 2) != 0;
  if (rest > 5000 || (rest == 5000 && odd)) ++units;
  if (rest < -5000 || (rest == -5000 && odd)) --units;
  return units;
}

struct TIntRange {
  int64_t Min;
  int64_t Max;
};

TIntRange RangeOf(TVarType type) {
  switch (type) {
    case varSmallint:
      return {INT16_MIN, INT16_MAX};
    case varInteger:
      return {INT32_MIN, INT32_MAX};
    case varShortInt:
      return {INT8_MIN, INT8_MAX};
    case varByte:
      return {0, UINT8_MAX};
    case varWord:
      return {0, UINT16_MAX};
    case varLongWord:
      return {0, UINT32_MAX};
    default:
      return {INT64_MIN, INT64_MAX};
  }
}

void AppendLittleEndian(std::string& buffer, uint64_t bits, int byteCount) {
  for (int i = 0; i < byteCount; ++i) buffer.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

template <typename T>
uint64_t BitsOf(T value) {
  static_assert(sizeof(T) <= sizeof(uint64_t));
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(T));
  return bits;
}

}  // namespace

// Everything that needs the representation lives here, so the header declares one friend.
struct VariantCore {
  static Variant MakeInt(TVarType type, int64_t value) { return Variant(type, value); }

  static Variant MakeDouble(TVarType type, double value) {
    Variant v;
    v.FType = type;
    v.FValue.Double = value;
    return v;
  }

  static Variant MakeSingle(float value) { return Variant(value); }

  static Variant MakeText(TVarType type, String text) {
    Variant v;
    v.FValue.Text = new Variant::TextData(std::move(text));
    v.FType = type;
    return v;
  }

  // An array of `count` elements, element i made from elementAt(i).
  template <class F>
  static Variant MakeArray(int32_t low, TVarType elementType, size_t count, F elementAt) {
    Variant v;
    v.FValue.Array = new Variant::ArrayData{low, elementType, TVariantItems(count, elementAt)};
    v.FType = varArray | elementType;
    return v;
  }

  static const String& Text(const Variant& v) { return v.FValue.Text->Text; }

  static Variant::ArrayData& Array(Variant& v) {
    if (!VarIsArray(v)) RaiseInvalidArg();
    return *v.FValue.Array;
  }
  static const Variant::ArrayData& Array(const Variant& v) {
    return Array(const_cast<Variant&>(v));
  }

  static size_t Offset(const Variant::ArrayData& array, int index) {
    const int64_t offset = int64_t{index} - array.Low;
    if (offset < 0 || offset >= static_cast<int64_t>(array.Items.size())) RaiseBadIndex();
    return static_cast<size_t>(offset);
  }

  static Variant DefaultElement(TVarType elementType) {
    switch (elementType) {
      case varVariant:
        return Variant();
      case varOleStr:
        return MakeText(varOleStr, String());
      case varSingle:
        return MakeSingle(0);
      case varDouble:
      case varDate:
        return MakeDouble(elementType, 0);
      default:
        return MakeInt(elementType, 0);
    }
  }

  // The value of a number kind as a double (Boolean -1/0, currency unscaled).
  static double NumberOf(const Variant& v) {
    switch (v.FType) {
      case varSingle:
        return v.FValue.Single;
      case varDouble:
      case varDate:
        return v.FValue.Double;
      case varCurrency:
        return static_cast<double>(v.FValue.Int) / 10000.0;
      default:
        return static_cast<double>(v.FValue.Int);
    }
  }

  // The conversions behind AsDouble, AsInt64, ..., naming `target` in their errors.
  static double ToDouble(const Variant& v, TVarType target) {
    if (v.FType == varEmpty) return 0;
    if (IsNumberCode(v.FType)) return NumberOf(v);
    if (IsTextCode(v.FType)) {
      double value = 0;
      if (TryTextToDouble(Text(v), FormatSettings.DecimalSeparator, value)) return value;
    }
    RaiseCastError(v.FType, target);
  }

  static int64_t ToInteger(const Variant& v, TVarType target) {
    const int64_t value = UncheckedInteger(v, target);
    const TIntRange range = RangeOf(target);
    if (value < range.Min || value > range.Max) RaiseOverflow(v.FType, target);
    return value;
  }

  static int64_t UncheckedInteger(const Variant& v, TVarType target) {
    if (v.FType == varEmpty) return 0;
    if (IsIntegerCode(v.FType)) return v.FValue.Int;
    if (v.FType == varCurrency) return RoundCurrency(v.FValue.Int);
    if (IsTextCode(v.FType)) {
      int64_t value = 0;
      if (TryStrToInt64(Text(v), value)) return value;
    }
    return RoundHalfEven(ToDouble(v, target), v.FType, target);
  }

  static int64_t ToCurrencyScaled(const Variant& v) {
    if (v.FType == varCurrency) return v.FValue.Int;
    if (IsIntegerCode(v.FType)) {
      int64_t scaled = 0;
      if (__builtin_mul_overflow(v.FValue.Int, int64_t{10000}, &scaled)) {
        RaiseOverflow(v.FType, varCurrency);
      }
      return scaled;
    }
    return RoundHalfEven(ToDouble(v, varCurrency) * 10000.0, v.FType, varCurrency);
  }

  static float ToSingle(const Variant& v) {
    const double value = ToDouble(v, varSingle);
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX) RaiseOverflow(v.FType, varSingle);
    return static_cast<float>(value);
  }

  static bool ToBoolean(const Variant& v) {
    if (IsTextCode(v.FType)) {
      const String& text = Text(v);
      if (SameText(text, "True")) return true;
      if (SameText(text, "False")) return false;
    }
    return ToDouble(v, varBoolean) != 0;
  }

  static String ToText(const Variant& v, TVarType target) {
    switch (v.FType) {
      case varEmpty:
        return String();
      case varBoolean:
        return v.FValue.Int != 0 ? "True" : "False";
      case varSingle:
      case varDouble:
      case varCurrency:
        return FloatToStr(NumberOf(v));
      case varDate:
        return DateTimeToStr(v.FValue.Double);
      case varOleStr:
      case varString:
        return Text(v);
      default:
        if (IsIntegerCode(v.FType)) return IntToStr(v.FValue.Int);
        RaiseCastError(v.FType, target);
    }
  }

  static TDateTime ToDateTime(const Variant& v) {
    if (!IsTextCode(v.FType)) return ToDouble(v, varDate);
    try {
      return StrToDateTime(Text(v));
    } catch (const EConvertError&) {
      RaiseCastError(v.FType, varDate);
    }
  }

  static Variant Convert(const Variant& v, TVarType target) {
    switch (target) {
      case varEmpty:
        return Variant();
      case varNull:
        return Variant::Null();
      case varSingle:
        return MakeSingle(ToSingle(v));
      case varDouble:
        return MakeDouble(varDouble, ToDouble(v, varDouble));
      case varDate:
        return MakeDouble(varDate, ToDateTime(v));
      case varCurrency:
        return MakeInt(varCurrency, ToCurrencyScaled(v));
      case varBoolean:
        return Variant(ToBoolean(v));
      case varOleStr:
      case varString:
        return MakeText(target, ToText(v, target));
      default:
        if (IsIntegerCode(target)) return MakeInt(target, ToInteger(v, target));
        RaiseCastError(v.FType, target);
    }
  }

  static TVariantRelationship Order(auto a, auto b) {
    if (a < b) return vrLessThan;
    if (b < a) return vrGreaterThan;
    if (a == b) return vrEqual;
    return vrNotEqual;  // NaN
  }

  static TVariantRelationship CompareNumbers(const Variant& a, const Variant& b) {
    if (IsIntegerCode(a.FType) && IsIntegerCode(b.FType)) return Order(a.FValue.Int, b.FValue.Int);
    return Order(NumberOf(a), NumberOf(b));
  }

  // A text against a number (or Empty) compares as a number.
  static TVariantRelationship CompareNumberWith(const Variant& number, const Variant& other) {
    if (IsNumberCode(other.FType)) return CompareNumbers(number, other);
    return Order(NumberOf(number), ToDouble(other, varDouble));
  }

  static TVariantRelationship Compare(const Variant& a, const Variant& b) {
    if (VarIsArray(a) || VarIsArray(b)) RaiseInvalidOp();
    if (a.FType == varNull || b.FType == varNull) {
      return a.FType == b.FType ? vrEqual : vrNotEqual;
    }
    const bool aText = IsTextCode(a.FType) || a.FType == varEmpty;
    const bool bText = IsTextCode(b.FType) || b.FType == varEmpty;
    if (aText && bText) return CompareTexts(a, b);
    if (IsNumberCode(a.FType)) return CompareNumberWith(a, b);
    if (IsNumberCode(b.FType)) return Reverse(CompareNumberWith(b, a));
    RaiseInvalidOp();
  }

  static TVariantRelationship CompareTexts(const Variant& a, const Variant& b) {
    static const String kEmpty;
    const String& left = a.FType == varEmpty ? kEmpty : Text(a);
    const String& right = b.FType == varEmpty ? kEmpty : Text(b);
    const int order = left.compare(right);
    return order < 0 ? vrLessThan : order > 0 ? vrGreaterThan : vrEqual;
  }

  static TVariantRelationship Reverse(TVariantRelationship relation) {
    if (relation == vrLessThan) return vrGreaterThan;
    if (relation == vrGreaterThan) return vrLessThan;
    return relation;
  }

  static void AppendTextKeys(const String& text, std::vector<VarKey>& out) {
    out.push_back(VarKey::OfText(text));
    for (const char separator : {'.', ',', FormatSettings.DecimalSeparator}) {
      double value = 0;
      if (!TryTextToDouble(text, separator, value)) continue;
      VarKey key = VarKey::OfNumber(value);
      bool known = false;
      for (const VarKey& existing : out) known = known || existing == key;
      if (!known) out.push_back(std::move(key));
    }
  }

  // The low bytes of the two's complement form: a Boolean's -1 gives FF FF.
  static void AppendInteger(const Variant& v, int byteCount, std::string& buffer) {
    AppendLittleEndian(buffer, static_cast<uint64_t>(v.FValue.Int), byteCount);
  }

  static void AppendWideBytes(const String& text, std::string& buffer) {
    // As many code units as the 8-bit form has characters; should that form ever be longer,
    // the units past the end read as the buffer's zero terminator would.
    const size_t count = Utf8ToCp1251(text).size();
    const std::u16string wide = Utf8ToWide(text);
    for (size_t i = 0; i < count; ++i) AppendLittleEndian(buffer, i < wide.size() ? wide[i] : 0, 2);
  }
};

// ---- Variant ----------------------------------------------------------------------------------

Variant::Variant(const char* text) : Variant(String(text ? text : "")) {}

Variant::Variant(String text) : FType(varOleStr) { FValue.Text = new TextData(std::move(text)); }

Variant::Variant(const Variant& other) : FType(other.FType), FValue(other.FValue) {
  if (IsTextCode(FType)) {
    FValue.Text->Refs.fetch_add(1, std::memory_order_relaxed);
  } else if (FType & varArray) {
    FValue.Array = new ArrayData(*other.FValue.Array);
  }
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);
    Swap(copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  Variant taken(std::move(other));
  Swap(taken);
  return *this;
}

void Variant::Swap(Variant& other) noexcept {
  std::swap(FType, other.FType);
  std::swap(FValue, other.FValue);
}

void Variant::ReleaseHeap() noexcept {
  if (FType & varArray) {
    delete FValue.Array;
  } else if (FValue.Text->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    delete FValue.Text;
  }
}

Variant Variant::Null() noexcept { return Variant(varNull, 0); }

double Variant::AsDouble() const { return VariantCore::ToDouble(*this, varDouble); }
int32_t Variant::AsInteger() const {
  return static_cast<int32_t>(VariantCore::ToInteger(*this, varInteger));
}
int64_t Variant::AsInt64() const { return VariantCore::ToInteger(*this, varInt64); }
bool Variant::AsBoolean() const { return VariantCore::ToBoolean(*this); }
String Variant::AsString() const { return VariantCore::ToText(*this, varString); }
TDateTime Variant::AsDateTime() const { return VariantCore::ToDateTime(*this); }

Variant Variant::GetElement(int index) const { return (*this)[index]; }

const Variant& Variant::operator[](int index) const {
  const ArrayData& array = VariantCore::Array(*this);
  return array.Items[VariantCore::Offset(array, index)];
}

void Variant::SetElement(int index, Variant value) {
  ArrayData& array = VariantCore::Array(*this);
  Variant& slot = array.Items[VariantCore::Offset(array, index)];
  if (array.ElementType == varVariant || value.FType == array.ElementType) {
    slot = std::move(value);
  } else {
    slot = VarAsType(value, array.ElementType);
  }
}

bool operator==(const Variant& a, const Variant& b) {
  return VariantCore::Compare(a, b) == vrEqual;
}

// ---- factories, tests and conversions ---------------------------------------------------------

Variant VarAsString8(String text) { return VariantCore::MakeText(varString, std::move(text)); }

Variant VarFromDateTime(TDateTime value) { return VariantCore::MakeDouble(varDate, value); }

Variant VarFromCurrencyScaled(int64_t scaled) { return VariantCore::MakeInt(varCurrency, scaled); }

String VarTypeAsText(TVarType type) {
  static const char* const kNames[] = {
      "Empty", "Null",   "Smallint", "Integer", "Single",  "Double",   "Currency",
      "Date",  "OleStr", "Dispatch", "Error",   "Boolean", "Variant",  "Unknown",
      nullptr, nullptr,  "ShortInt", "Byte",    "Word",    "LongWord", "Int64"};
  const TVarType base = type & varTypeMask;
  String name;
  if (base < std::size(kNames) && kNames[base] != nullptr) {
    name = kNames[base];
  } else if (base == varString) {
    name = "String";
  } else {
    name = "$" + IntToHex(base, 4);
  }
  return (type & varArray) ? "Array of " + name : name;
}

bool VarIsEmpty(const Variant& v) noexcept { return v.VType() == varEmpty; }
bool VarIsNull(const Variant& v) noexcept { return v.VType() == varNull; }
bool VarIsClear(const Variant& v) noexcept { return v.VType() == varEmpty; }
bool VarIsArray(const Variant& v) noexcept { return (v.VType() & varArray) != 0; }
bool VarIsOrdinal(const Variant& v) noexcept { return IsIntegerCode(v.VType()); }
bool VarIsFloat(const Variant& v) noexcept { return IsFloatCode(v.VType()); }
bool VarIsNumeric(const Variant& v) noexcept { return VarIsOrdinal(v) || VarIsFloat(v); }
bool VarIsStr(const Variant& v) noexcept { return IsTextCode(v.VType()); }

String VarToStr(const Variant& v) { return VarToStrDef(v, String()); }

String VarToStrDef(const Variant& v, const String& defaultText) {
  return VarIsNull(v) ? defaultText : v.AsString();
}

Variant VarAsType(const Variant& v, TVarType type) {
  if (v.VType() == type) return v;
  if (type == varVariant && !VarIsArray(v)) return v;
  if (VarIsArray(v) || VarIsNull(v)) RaiseCastError(v.VType(), type);
  return VariantCore::Convert(v, type);
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
  return VariantCore::Compare(a, b);
}

// ---- arrays -----------------------------------------------------------------------------------

Variant VarArrayCreate(int low, int high, TVarType elementType) {
  if (!IsArrayElementCode(elementType) || int64_t{high} < int64_t{low} - 1) RaiseArrayCreate();
  const size_t count = static_cast<size_t>(int64_t{high} - low + 1);
  const Variant fill = VariantCore::DefaultElement(elementType);
  return VariantCore::MakeArray(low, elementType, count,
                                [&fill](size_t) -> const Variant& { return fill; });
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  return VariantCore::MakeArray(0, varVariant, values.size(),
                                [&values](size_t i) -> const Variant& { return values.begin()[i]; });
}

int VarArrayDimCount(const Variant& v) noexcept { return VarIsArray(v) ? 1 : 0; }

int VarArrayLowBound(const Variant& v, int dim) {
  const auto& array = VariantCore::Array(v);
  if (dim != 1) RaiseBadIndex();
  return array.Low;
}

int VarArrayHighBound(const Variant& v, int dim) {
  const auto& array = VariantCore::Array(v);
  if (dim != 1) RaiseBadIndex();
  return static_cast<int>(array.Low + static_cast<int64_t>(array.Items.size()) - 1);
}

void VarArrayRedim(Variant& v, int newHigh) {
  auto& array = VariantCore::Array(v);
  if (int64_t{newHigh} < int64_t{array.Low} - 1) RaiseArrayCreate();
  array.Items.resize(static_cast<size_t>(int64_t{newHigh} - array.Low + 1),
                     VariantCore::DefaultElement(array.ElementType));
}

// ---- equality keys ----------------------------------------------------------------------------

VarKey VarKey::OfNumber(double value) {
  VarKey key;
  key.Kind = TKind::Number;
  key.Number = value == 0 ? 0.0 : value;
  return key;
}

VarKey VarKey::OfText(String text) {
  VarKey key;
  key.Kind = TKind::Text;
  key.Text = std::move(text);
  return key;
}

VarKey VarKey::OfNull() { return VarKey(); }

bool operator==(const VarKey& a, const VarKey& b) noexcept {
  if (a.Kind != b.Kind) return false;
  switch (a.Kind) {
    case VarKey::TKind::Number:
      return BitsOf(a.Number) == BitsOf(b.Number);
    case VarKey::TKind::Text:
      return a.Text == b.Text;
    default:
      return true;
  }
}

size_t VarKeyHash::operator()(const VarKey& key) const noexcept {
  switch (key.Kind) {
    case VarKey::TKind::Number:
      return std::hash<uint64_t>()(BitsOf(key.Number));
    case VarKey::TKind::Text:
      return std::hash<String>()(key.Text);
    default:
      return 0x9E3779B97F4A7C15ull;
  }
}

void VarEqualityKeys(const Variant& v, std::vector<VarKey>& out) {
  out.clear();
  const TVarType type = v.VType();
  if (type == varEmpty) {
    out.push_back(VarKey::OfNumber(0));
    out.push_back(VarKey::OfText(String()));
  } else if (type == varNull) {
    out.push_back(VarKey::OfNull());
  } else if (IsNumberCode(type)) {
    out.push_back(VarKey::OfNumber(VariantCore::NumberOf(v)));
  } else if (IsTextCode(type)) {
    VariantCore::AppendTextKeys(VariantCore::Text(v), out);
  }
}

// ---- checksum bytes ---------------------------------------------------------------------------

void VarAppendRawBytes(const Variant& element, std::string& buffer) {
  switch (element.VType()) {
    case varShortInt:
    case varByte:
      VariantCore::AppendInteger(element, 1, buffer);
      break;
    case varSmallint:
    case varWord:
    case varBoolean:
      VariantCore::AppendInteger(element, 2, buffer);
      break;
    case varInteger:
    case varLongWord:
      VariantCore::AppendInteger(element, 4, buffer);
      break;
    case varInt64:
    case varCurrency:
      VariantCore::AppendInteger(element, 8, buffer);
      break;
    case varSingle:
      AppendLittleEndian(buffer, BitsOf(static_cast<float>(VariantCore::NumberOf(element))), 4);
      break;
    case varDouble:
    case varDate:
      AppendLittleEndian(buffer, BitsOf(VariantCore::NumberOf(element)), 8);
      break;
    case varOleStr:
      VariantCore::AppendWideBytes(VariantCore::Text(element), buffer);
      break;
    case varString:
      buffer += Utf8ToCp1251(VariantCore::Text(element));
      break;
    default:
      break;
  }
}
