// A method pointer: an object and one of its routines, as the original's events are. It can be
// empty, called, copied, and compared by (object, routine), which is how handlers that are
// installed "when none is set" or taken over and chained find each other. A plain callable can be
// bound too (tests and glue code); such an event equals only its own copies.
#pragma once

#include <cstring>
#include <functional>
#include <memory>

#include "platform/rtl/Exceptions.h"

template <class Signature>
class Event;

template <class R, class... A>
class Event<R(A...)> {
 public:
  Event() = default;
  Event(std::nullptr_t) {}

  template <class T>
  Event(T* object, R (T::*method)(A...)) : FData(object), FInvoke(&InvokeMethod<T>) {
    static_assert(sizeof(method) <= sizeof(FCode), "method pointer does not fit");
    std::memcpy(FCode, &method, sizeof(method));
  }

  template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F, A...> &&
                                              !std::is_same_v<std::decay_t<F>, Event>>>
  Event(F&& callable)
      : FCallable(std::make_shared<std::function<R(A...)>>(std::forward<F>(callable))),
        FInvoke(&InvokeCallable) {}

  bool Assigned() const { return FInvoke != nullptr; }
  explicit operator bool() const { return Assigned(); }
  void* Data() const { return FData; }

  R operator()(A... args) const {
    if (!FInvoke) throw EAccessViolation("Call of an unassigned event handler");
    return FInvoke(*this, std::forward<A>(args)...);
  }

  bool operator==(const Event& other) const { return FData == other.FData && SameRoutine(other); }

  // Whether both call the same routine, whatever object each is bound to.
  bool SameRoutine(const Event& other) const {
    return FInvoke == other.FInvoke && FCallable == other.FCallable &&
           std::memcmp(FCode, other.FCode, sizeof(FCode)) == 0;
  }

 private:
  struct Probe {
    void Routine();
  };
  using Invoker = R (*)(const Event&, A...);

  template <class T>
  static R InvokeMethod(const Event& self, A... args) {
    R (T::*method)(A...);
    std::memcpy(&method, self.FCode, sizeof(method));
    return (static_cast<T*>(self.FData)->*method)(std::forward<A>(args)...);
  }
  static R InvokeCallable(const Event& self, A... args) {
    return (*self.FCallable)(std::forward<A>(args)...);
  }

  void* FData = nullptr;
  std::shared_ptr<std::function<R(A...)>> FCallable;
  Invoker FInvoke = nullptr;
  alignas(void (Probe::*)()) unsigned char FCode[sizeof(void (Probe::*)())] = {};
};

class TObject;
// The most common event of the platform: a handler that receives the object that fired it.
using TNotifyEvent = Event<void(TObject*)>;
