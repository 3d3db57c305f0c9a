// The registry's units of writes on Windows: each write of the system's registry stands alone, so a unit
// only counts its nesting; the program orders a unit's writes so that an interruption leaves no mixed alarm.
#include "platform/api.h"

namespace {

thread_local int openUnits = 0;

}  // namespace

LSTATUS BeginRegistryWrites() {
    ++openUnits;
    return ERROR_SUCCESS;
}

LSTATUS EndRegistryWrites(BOOL) {
    if (openUnits == 0) return ERROR_INVALID_FUNCTION;
    --openUnits;
    return ERROR_SUCCESS;
}
