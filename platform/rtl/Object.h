// The root of the object model: class records, class identity and two-phase construction.
//
// A C++ constructor only initialises fields. The original's constructor algorithms, which call
// overridden virtual operations, run in Construct() with full virtual dispatch, and destruction
// runs Destroy() with full virtual dispatch before the object is deleted. So T::Create(...) gives
// a fully built object and Free() takes it apart; nobody deletes an object directly.
#pragma once

#include <string>
#include <utility>

#include "platform/rtl/Exceptions.h"

class TObject;

// The class record: name, parent and a way to make a bare instance (null for classes that
// cannot be made without arguments). Its address is the class identity.
struct TClassRec {
  const char* Name;
  const TClassRec* Parent;
  TObject* (*NewInstance)();
};
using TClass = const TClassRec*;

bool ClassInheritsFrom(TClass cls, TClass ancestor);

class TObject {
 public:
  static TClass ClassInfo();
  virtual TClass ClassType() const { return ClassInfo(); }
  String ClassName() const { return ClassType()->Name; }
  TClass ClassParent() const { return ClassType()->Parent; }
  bool InheritsFrom(TClass ancestor) const { return ClassInheritsFrom(ClassType(), ancestor); }
  template <class T>
  bool Is() const {
    return InheritsFrom(T::ClassInfo());
  }

  // Runs BeforeDestruction and Destroy with virtual dispatch, then deletes the object.
  void Free();

  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

 protected:
  TObject() = default;
  virtual ~TObject() = default;

  // Second phase of construction; descendants declare their own Construct overloads.
  void Construct() {}
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}
  // The destroy algorithm; an override does its own work, then calls inherited::Destroy().
  virtual void Destroy() {}

  // Builds T in two phases. When Construct fails, the partly built object is destroyed with the
  // same Destroy chain (which must cope with missing parts) and the exception goes on.
  template <class T, class... A>
  static T* NewObject(A&&... args) {
    T* object = new T();
    try {
      object->Construct(std::forward<A>(args)...);
    } catch (...) {
      object->DestroyFailedConstruction();
      throw;
    }
    object->AfterConstruction();
    return object;
  }

  // Takes apart an object whose Construct raised: the same Destroy chain, then delete.
  void DestroyFailedConstruction();
};

// Frees the object (when there is one) and clears the reference first, as FreeAndNil does.
template <class T>
void FreeAndNil(T*& object) {
  T* old = object;
  object = nullptr;
  if (old) old->Free();
}

// Declares class identity and T::Create(...) for a class. `inherited` names the parent, as the
// original's `inherited` does.
#define RTL_CLASS(Self, Parent)                                                    \
 public:                                                                           \
  using inherited = Parent;                                                        \
  static TClass ClassInfo();                                                       \
  TClass ClassType() const override { return ClassInfo(); }                        \
  template <class... A>                                                            \
  static Self* Create(A&&... args) {                                               \
    return TObject::NewObject<Self>(std::forward<A>(args)...);                     \
  }                                                                                \
  friend class TObject;                                                            \
                                                                                   \
 private:

// Defines the class record. Classes that can be made bare (a component made from its class by
// an owner) use RTL_CLASS_IMPL_CREATABLE instead.
#define RTL_CLASS_IMPL(Self, Parent)                                \
  TClass Self::ClassInfo() {                                        \
    static const TClassRec record{#Self, Parent::ClassInfo(), nullptr}; \
    return &record;                                                 \
  }

#define RTL_CLASS_IMPL_CREATABLE(Self, Parent)                                             \
  TClass Self::ClassInfo() {                                                               \
    static const TClassRec record{#Self, Parent::ClassInfo(),                             \
                                  []() -> TObject* { return static_cast<TObject*>(new Self()); }}; \
    return &record;                                                                        \
  }
