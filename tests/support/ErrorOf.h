// The message of the error an action raises, "no error" when it raises none: tests compare the
// exact texts users and callers see.
#pragma once

#include <functional>

#include "platform/rtl/Exceptions.h"

inline String ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "no error";
}

// The same with the error's class in front: "EConvertError: ...".
inline String ClassAndErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return String(error.ClassName()) + ": " + error.Message();
  }
  return "no error";
}
