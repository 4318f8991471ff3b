#include "src/ResourcePack/Ucomresources.h"

#include "src/ResourcePack/ResourceRegistry.h"

#define ROD_RESOURCE_STRING(Name, Russian, English) String Name = Russian;
#include "src/ResourcePack/Ucomresources.inc"
#undef ROD_RESOURCE_STRING

namespace {

const TResourceString ComResourceStrings[] = {
#define ROD_RESOURCE_STRING(Name, Russian, English) {#Name, &Name, English},
#include "src/ResourcePack/Ucomresources.inc"
#undef ROD_RESOURCE_STRING
};

// Defined after the variables above, so their Russian texts exist when the table registers.
const TResourceRegistration registration{std::span<const TResourceString>(ComResourceStrings)};

}  // namespace
