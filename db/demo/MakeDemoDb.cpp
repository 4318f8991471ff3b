// roddemodb DIR [--rows N]: creates the demo database folder DIR with N rows per main list.
#include <cstdio>

#include "db/demo/DemoDatabase.h"
#include "platform/rtl/SysUtils.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: roddemodb DIR [--rows N]   (N from %d to %d, default %d)\n",
               MinDemoRows, MaxDemoRows, DefaultDemoRows);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int rows = DefaultDemoRows;
  if (argc == 4 && String(argv[2]) == "--rows") {
    if (!TryStrToInt(argv[3], rows)) return Usage();
  } else if (argc != 2) {
    return Usage();
  }
  try {
    CreateDemoDatabase(argv[1], rows);
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s\n", error.Message().c_str());
    return 1;
  }
  std::printf("Demo database created in %s (%d rows per list)\n", argv[1], rows);
  return 0;
}
