#include "platform/posix/registry/registry_session.h"

#include <mutex>
#include <new>
#include <optional>

#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/registry_location.h"

namespace registry {

namespace {

struct Session {
    // Recursive, so that the calls inside RunAllOrNothing's changes take it again.
    std::recursive_mutex lock;
    std::optional<RegistryStore> store;
    HandleTable handles;
};

Session& TheSession() {
    static Session session;
    return session;
}

LSTATUS Guarded(const std::function<void()>& body) {
    try {
        body();
        return ERROR_SUCCESS;
    } catch (const RegistryError& error) {
        RecordRegistryFailure(error);
        return error.code();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    }
}

RegistryStore& OpenStore(Session& session) {
    std::filesystem::path file = RegistryDatabasePath();
    if (session.store && session.store->file() != file) {
        session.store.reset();
        session.handles.Clear();
    }
    if (!session.store) session.store.emplace(file);
    return *session.store;
}

}  // namespace

LSTATUS RunRegistryCall(const std::function<void(RegistryStore&, HandleTable&)>& call) {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    return Guarded([&] { call(OpenStore(session), session.handles); });
}

LSTATUS RunAllOrNothing(const std::function<void()>& changes) {
    return RunRegistryCall([&](RegistryStore& store, HandleTable&) { store.Write(changes); });
}

LSTATUS RunHandleCall(const std::function<void(HandleTable&)>& call) {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    return Guarded([&] { call(session.handles); });
}

}  // namespace registry
