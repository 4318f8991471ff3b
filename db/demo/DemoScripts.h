// The demo database scripts (db/demo/sql), built into the binary by EmbedScripts.cmake, by file
// name without extension ("tables", "seed", ...).
#pragma once

#include <map>

#include "platform/rtl/Exceptions.h"

const std::map<String, const char*>& DemoScripts();
