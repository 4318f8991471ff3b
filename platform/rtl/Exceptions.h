// The platform's exception classes. They are thrown by value and caught by reference; the class
// name is kept because messages and handlers of the system test it ("user break" and ETerminated
// end an operation quietly, EAbort is silent, ...).
#pragma once

#include <exception>
#include <string>

using String = std::string;

#define RTL_EXCEPTION_CLASS(Self, Parent)                                  \
  class Self : public Parent {                                             \
   public:                                                                 \
    using Parent::Parent;                                                  \
    const char* ClassName() const noexcept override { return #Self; }      \
    bool InheritsFrom(const char* name) const noexcept override {          \
      return String(name) == #Self || Parent::InheritsFrom(name);          \
    }                                                                      \
  }

class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)) {}
  const String& Message() const noexcept { return FMessage; }
  void SetMessage(String message) { FMessage = std::move(message); }
  const char* what() const noexcept override { return FMessage.c_str(); }
  virtual const char* ClassName() const noexcept { return "Exception"; }
  // Tests a class by name along the chain, as `E is EClass` does.
  virtual bool InheritsFrom(const char* name) const noexcept { return String(name) == "Exception"; }

 private:
  String FMessage;
};

RTL_EXCEPTION_CLASS(EAbort, Exception);
RTL_EXCEPTION_CLASS(EConvertError, Exception);
RTL_EXCEPTION_CLASS(EAssertionFailed, Exception);
RTL_EXCEPTION_CLASS(ETerminated, Exception);
RTL_EXCEPTION_CLASS(EListError, Exception);
RTL_EXCEPTION_CLASS(EStringListError, EListError);
RTL_EXCEPTION_CLASS(EComponentError, Exception);
RTL_EXCEPTION_CLASS(EInvalidOperation, Exception);
RTL_EXCEPTION_CLASS(EInvalidCast, Exception);
RTL_EXCEPTION_CLASS(EDatabaseError, Exception);
RTL_EXCEPTION_CLASS(EInOutError, Exception);
RTL_EXCEPTION_CLASS(EOSError, Exception);
RTL_EXCEPTION_CLASS(EIniFileException, Exception);
RTL_EXCEPTION_CLASS(EAccessViolation, Exception);
RTL_EXCEPTION_CLASS(EPropertyError, Exception);

RTL_EXCEPTION_CLASS(EVariantError, Exception);
RTL_EXCEPTION_CLASS(EVariantTypeCastError, EVariantError);
RTL_EXCEPTION_CLASS(EVariantOverflowError, EVariantError);
RTL_EXCEPTION_CLASS(EVariantBadIndexError, EVariantError);
RTL_EXCEPTION_CLASS(EVariantInvalidArgError, EVariantError);
RTL_EXCEPTION_CLASS(EVariantInvalidOpError, EVariantError);
RTL_EXCEPTION_CLASS(EVariantBadVarTypeError, EVariantError);
RTL_EXCEPTION_CLASS(EVariantArrayCreateError, EVariantError);

// Assertions of the system are never compiled out: a violated internal condition always raises
// EAssertionFailed whose message is exactly the given text (callers' handlers and tests read it).
[[noreturn]] void AssertionFailed(const String& message);

inline void Assert(bool condition, const String& message) {
  if (!condition) AssertionFailed(message);
}

// Raises EAbort with the platform's "Operation aborted" text: the silent exception.
[[noreturn]] void Abort();
