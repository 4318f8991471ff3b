// The "finally" block: runs its action when the scope is left, normally or by an exception.
#pragma once

#include <utility>

template <class F>
class Finally {
 public:
  explicit Finally(F action) : FAction(std::move(action)) {}
  ~Finally() { FAction(); }
  Finally(const Finally&) = delete;
  Finally& operator=(const Finally&) = delete;

 private:
  F FAction;
};

// Frees a component-model object when the scope is left, as `try ... finally X.Free; end` does.
template <class T>
class FreeOnExit {
 public:
  explicit FreeOnExit(T* object) : FObject(object) {}
  ~FreeOnExit() {
    if (FObject) FObject->Free();
  }
  // Hands the object on; it is no longer freed here.
  T* Release() {
    T* object = FObject;
    FObject = nullptr;
    return object;
  }
  T* operator->() const { return FObject; }
  T* Get() const { return FObject; }
  FreeOnExit(const FreeOnExit&) = delete;
  FreeOnExit& operator=(const FreeOnExit&) = delete;

 private:
  T* FObject;
};
