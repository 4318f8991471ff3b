// Format with an outside format string over arguments of every kind: a result or
// EConvertError, nothing else.
#include "fuzz/FuzzSupport.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String format = FuzzText(data, size);
  Refusable([&] { Format(format, {7, "text", 2.5, static_cast<long long>(-1), 3, 'c'}); });
  Refusable([&] { Format(format, {}); });
  return 0;
}
