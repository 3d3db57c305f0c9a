// The process's registry: one store for the current location and the handles issued against it, behind one
// lock. The database opens at the first call and stays open; when the location changes (tests point
// ALARMCLOCK_PREFIX at a fresh directory), the next call closes it, forgets its handles and opens the new one.
#pragma once

#include <functional>

#include "platform/api.h"
#include "platform/posix/registry/registry_handles.h"
#include "platform/posix/registry/registry_store.h"

namespace registry {

// Runs `call` with the store open, turning a thrown RegistryError into its code (recorded for
// RegistryErrorText). Returns ERROR_SUCCESS when `call` returns normally.
LSTATUS RunRegistryCall(const std::function<void(RegistryStore&, HandleTable&)>& call);

// Runs `changes`, calls of the registry functions, as one change of the file, holding its write lock: all
// of them last, or, when `changes` throws, none. Other threads' calls wait meanwhile. Returns the failure to
// begin or to commit; what `changes` throws goes on to the caller once everything is undone.
LSTATUS RunAllOrNothing(const std::function<void()>& changes);

// Runs `call` on the handles alone, without opening the database.
LSTATUS RunHandleCall(const std::function<void(HandleTable&)>& call);

}  // namespace registry
