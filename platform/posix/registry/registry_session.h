// The process's registry: one store for the current location and the handles issued against it, behind one
// lock. The database opens at the first call and stays open; when the location changes (tests point
// ALARMCLOCK_PREFIX at a fresh directory), the next call closes it, forgets its handles and opens the new one.
// BeginRegistryWrites and EndRegistryWrites, BeginRegistryReads and EndRegistryReads (win32_api.h) live here
// too: a thread's unit or hold of reads keeps the lock from its beginning to its end, so other threads' calls
// wait for it.
#pragma once

#include <functional>

#include "platform/api.h"
#include "platform/posix/registry/registry_handles.h"
#include "platform/posix/registry/registry_store.h"

namespace registry {

// Runs `call` with the store open, turning a thrown RegistryError into its code (recorded for
// RegistryErrorText). An ordinary outcome (a value not there, no more items) is what `call` returns, not a
// throw: programs ask for many values that are not there, and a throw costs far more than the lookup.
LSTATUS RunRegistryCall(const std::function<LSTATUS(RegistryStore&, HandleTable&)>& call);

// RunRegistryCall for the calls that change the registry. Inside a unit of writes a failure undoes the
// unit, but for ERROR_FILE_NOT_FOUND: what was to be deleted is not there, and nothing changed. Once the
// unit has failed, its later writes fail at once with its failure.
LSTATUS RunRegistryWrite(const std::function<LSTATUS(RegistryStore&, HandleTable&)>& call);

// Runs `changes`, calls of the registry functions, as one unit of writes: all of them last, or, when
// `changes` throws or one of them fails, none. Returns the failure to begin, the failure inside or the
// failure to commit; what `changes` throws goes on to the caller once everything is undone.
LSTATUS RunAllOrNothing(const std::function<void()>& changes);

// Runs `call` on the handles alone, without opening the database.
LSTATUS RunHandleCall(const std::function<void(HandleTable&)>& call);

}  // namespace registry
