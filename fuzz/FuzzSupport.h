// What the fuzz targets share: the input as text, and the rule that a parser may refuse input
// only with the platform's exceptions; anything else (a crash, a sanitizer report, a foreign
// exception) is a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Exceptions.h"

inline String FuzzText(const uint8_t* data, size_t size) {
  return String(reinterpret_cast<const char*>(data), size);
}

// Runs the action; the platform's exceptions are an accepted answer to bad input.
template <class F>
void Refusable(F action) {
  try {
    action();
  } catch (const Exception&) {
  }
}

// A property that must hold for every input: breaking it is a finding, like a crash.
inline void Require(bool condition) {
  if (!condition) std::abort();
}
