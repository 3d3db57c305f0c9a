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

// Runs `call` on the handles alone, without opening the database.
LSTATUS RunHandleCall(const std::function<void(HandleTable&)>& call);

}  // namespace registry
