// The grid tools' message boxes, owned by the window in front.
#pragma once

#include "platform/rtl/Exceptions.h"

enum class TToolMessage { Information, Warning, Error };

void ShowToolMessage(const String& text, const String& caption, TToolMessage kind);
