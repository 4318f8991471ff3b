// Date and number texts: FormatDateTime with an outside format, and the readers of integers,
// floats and dates; what an integer reader accepts it reads back from its own text.
#include "fuzz/FuzzSupport.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String text = FuzzText(data, size);
  Refusable([&] { FormatDateTime(text, EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 9, 7)); });
  Refusable([&] { StrToDateTime(text); });
  Refusable([&] { StrToFloat(text); });
  int32_t value = 0;
  if (TryStrToInt(text, value)) Require(StrToInt(IntToStr(value)) == value);
  int64_t wide = 0;
  if (TryStrToInt64(text, wide)) Require(StrToInt64(IntToStr(wide)) == wide);
  return 0;
}
