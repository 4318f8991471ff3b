#include "platform/rtl/Exceptions.h"

void AssertionFailed(const String& message) { throw EAssertionFailed(message); }

void Abort() { throw EAbort("Operation aborted"); }
