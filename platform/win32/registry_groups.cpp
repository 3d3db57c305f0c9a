// The registry's units of writes and holds of reads on Windows: each write of the system's registry stands
// alone, so a unit only counts its nesting; the program orders a unit's writes so that an interruption
// leaves no mixed alarm. A read is one system call there, so a hold has nothing to save and only counts too.
#include "platform/api.h"

namespace {

thread_local int openUnits = 0;
thread_local int openHolds = 0;

LSTATUS Begin(int& open) {
    ++open;
    return ERROR_SUCCESS;
}

LSTATUS End(int& open) {
    if (open == 0) return ERROR_INVALID_FUNCTION;
    --open;
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS BeginRegistryWrites() { return Begin(openUnits); }

LSTATUS EndRegistryWrites(BOOL) { return End(openUnits); }

LSTATUS BeginRegistryReads() { return Begin(openHolds); }

LSTATUS EndRegistryReads() { return End(openHolds); }
