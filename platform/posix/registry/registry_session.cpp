#include "platform/posix/registry/registry_session.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>

#include "platform/posix/registry/lock_waiting.h"
#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/registry_location.h"

namespace registry {

namespace {

// The unit of writes open on the thread that holds the session's lock.
struct WriteUnit {
    int depth = 0;
    // The first failure inside, or why the unit was undone before its end: its end undoes it with this.
    std::optional<RegistryError> failure;
};

// The hold of reads open on the thread that holds the session's lock.
struct ReadHold {
    int depth = 0;
    // Whether a call of the hold has found the store at the registry's location: the next ones trust it.
    bool storeChecked = false;
};

struct Session {
    // Recursive: a unit or a hold of reads keeps it from its beginning to its end, and the calls inside take
    // it again.
    std::recursive_mutex lock;
    std::unique_ptr<RegistryStore> store;
    HandleTable handles;
    WriteUnit unit;
    ReadHold reads;

    // A unit never ended is a programming error; its writes are gone with the process, so say so.
    ~Session() {
        if (unit.depth > 0 && store && store->InUnit()) {
            std::fprintf(stderr, "%s: the writes of a unit that was begun and never ended are undone\n",
                         store->file().c_str());
        }
    }
};

Session& TheSession() {
    static Session session;
    return session;
}

LSTATUS Failed(const RegistryError& error) {
    RecordRegistryFailure(error);
    return error.code();
}

LSTATUS Guarded(const std::function<void()>& body, std::optional<RegistryError>* failure = nullptr) {
    try {
        body();
        return ERROR_SUCCESS;
    } catch (const RegistryError& error) {
        if (failure != nullptr) failure->emplace(error);
        return Failed(error);
    } catch (const std::bad_alloc&) {
        if (failure != nullptr) failure->emplace(ERROR_OUTOFMEMORY);
        return ERROR_OUTOFMEMORY;
    }
}

// A call made from a handler that this thread ran while it paused in a wait for another process's lock
// would run inside the waiting call, on its connection: it is refused, and the waiting call and its unit
// go on untouched.
void RefuseInsideLockWait() {
    if (PausingForLock()) {
        throw RegistryError(ERROR_INVALID_FUNCTION,
                            "a registry call made while this thread waits for another process's lock");
    }
}

bool LocationChanged(const Session& session) {
    return session.store->file().native() != RegistryDatabasePath().native();
}

// Whether the open store is no longer the registry's: the location changed, or its file was removed or
// replaced meanwhile.
bool StoreMoved(const Session& session) { return LocationChanged(session) || session.store->FileReplaced(); }

// An end gives back the lock its matching beginning took (the caller's guard keeps it until the end); an end
// without one is a programming error, refused: its status.
std::optional<LSTATUS> GiveBackBeginning(Session& session, int depth, const char* end, const char* beginning) {
    if (depth == 0)
        return Failed(RegistryError(ERROR_INVALID_FUNCTION, std::string(end) + " without " + beginning));
    session.lock.unlock();
    return std::nullopt;
}

// The open unit's writes went into a file that is gone from its place: the unit ends undone.
void FailMovedUnit(Session& session) {
    if (session.store->InUnit() && !session.unit.failure) {
        session.unit.failure.emplace(ERROR_REQUEST_ABORTED,
                                     session.store->file().string() +
                                         ": the registry file was closed before the unit of writes ended; "
                                         "its writes are undone");
    }
}

// The store of the registry's location; opened anew when the location changed or when its file was removed or
// replaced meanwhile, so that nothing is written into a file that is gone from its place.
RegistryStore& OpenStore(Session& session) {
    if (session.store && StoreMoved(session)) {
        FailMovedUnit(session);
        session.store.reset();
        session.handles.Clear();
    }
    if (!session.store) session.store = std::make_unique<RegistryStore>(RegistryDatabasePath());
    return *session.store;
}

// The store for a read: within a hold of reads the one its first call found, unless the location changed,
// whose held transaction keeps reading the file it opened; a file replaced meanwhile is found by the next
// write or after the hold.
RegistryStore& ReadingStore(Session& session) {
    ReadHold& reads = session.reads;
    if (reads.depth == 0) return OpenStore(session);
    if (!reads.storeChecked || !session.store || LocationChanged(session)) {
        OpenStore(session).HoldReads();
        reads.storeChecked = true;
    }
    return *session.store;
}

// Ends the open unit, keeping it or undoing it, and says how it ended.
LSTATUS EndUnit(Session& session, bool keep) {
    WriteUnit& unit = session.unit;
    RegistryStore* store = session.store.get();
    bool kept = false;
    LSTATUS status = ERROR_SUCCESS;
    if (store != nullptr && store->InUnit()) {
        // The unit's writes skip the check of the file; its commit does not.
        if (keep && !unit.failure)
            Guarded(
                [&] {
                    if (StoreMoved(session)) FailMovedUnit(session);
                },
                &unit.failure);
        const bool commit = keep && !unit.failure;
        const std::int64_t firstNewKey = store->UnitFirstNewKey();
        status = Guarded([&] {
            store->EndUnit(commit);
            kept = commit;
        });
        if (!kept) session.handles.ForgetKeysFrom(firstNewKey);
    }
    std::optional<RegistryError> failure = std::move(unit.failure);
    unit = {};
    if (!keep || status != ERROR_SUCCESS) return status;
    return failure ? Failed(*failure) : ERROR_SUCCESS;
}

// The status of a call that ran to its end: an ordinary outcome such as a missing value is recorded as a
// thrown failure would be, so that RegistryErrorText never adds an earlier failure's detail to it.
LSTATUS Outcome(LSTATUS thrown, LSTATUS returned) {
    if (thrown != ERROR_SUCCESS || returned == ERROR_SUCCESS) return thrown;
    return Failed(RegistryError(returned));
}

}  // namespace

LSTATUS RunRegistryCall(const std::function<LSTATUS(RegistryStore&, HandleTable&)>& call) {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    if (PausingForLock()) return Guarded(RefuseInsideLockWait);
    LSTATUS returned = ERROR_SUCCESS;
    const LSTATUS status = Guarded([&] { returned = call(ReadingStore(session), session.handles); });
    return Outcome(status, returned);
}

LSTATUS RunRegistryWrite(const std::function<LSTATUS(RegistryStore&, HandleTable&)>& call) {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    if (PausingForLock()) return Guarded(RefuseInsideLockWait);
    WriteUnit& unit = session.unit;
    std::optional<RegistryError> failure;
    LSTATUS returned = ERROR_SUCCESS;
    const LSTATUS status = Guarded(
        [&] {
            // A unit's file was checked as it began and is again before its commit: between them only the
            // location, which costs no system call.
            const bool inUnit = unit.depth > 0 && session.store && session.store->InUnit();
            RegistryStore& store = inUnit && !LocationChanged(session) ? *session.store : OpenStore(session);
            // Nothing written now could last: the unit ends undone.
            if (unit.depth > 0 && unit.failure) throw *unit.failure;
            returned = call(store, session.handles);
        },
        &failure);
    // A write may have opened another store: the hold's next read checks again, and holds that one's reads.
    session.reads.storeChecked = false;
    if (unit.depth > 0 && failure && status != ERROR_FILE_NOT_FOUND) unit.failure = failure;
    return Outcome(status, returned);
}

LSTATUS RunAllOrNothing(const std::function<void()>& changes) {
    if (LSTATUS begun = BeginRegistryWrites(); begun != ERROR_SUCCESS) {
        EndRegistryWrites(FALSE);
        return begun;
    }
    try {
        changes();
    } catch (...) {
        EndRegistryWrites(FALSE);
        throw;
    }
    return EndRegistryWrites(TRUE);
}

LSTATUS RunHandleCall(const std::function<void(HandleTable&)>& call) {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    return Guarded([&] { call(session.handles); });
}

}  // namespace registry

using registry::Session;
using registry::TheSession;

LSTATUS BeginRegistryWrites() {
    Session& session = TheSession();
    // Held until the matching end: the thread's calls meanwhile take it again, other threads wait.
    session.lock.lock();
    if (session.unit.depth++ > 0) return ERROR_SUCCESS;
    // A unit that cannot begin still counts, and ends undone with this failure.
    return registry::Guarded(
        [&] {
            registry::RefuseInsideLockWait();
            registry::OpenStore(session).BeginUnit();
        },
        &session.unit.failure);
}

LSTATUS EndRegistryWrites(BOOL keep) {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    if (auto refused = registry::GiveBackBeginning(session, session.unit.depth, "EndRegistryWrites",
                                                   "BeginRegistryWrites"))
        return *refused;
    if (--session.unit.depth > 0) {
        if (!keep && !session.unit.failure) {
            session.unit.failure.emplace(ERROR_REQUEST_ABORTED, "a part of the unit of writes was given up");
        }
        return ERROR_SUCCESS;
    }
    return registry::EndUnit(session, keep != FALSE);
}

LSTATUS BeginRegistryReads() {
    Session& session = TheSession();
    // Held until the matching end, as a unit's is.
    session.lock.lock();
    if (session.reads.depth++ == 0) session.reads.storeChecked = false;
    return ERROR_SUCCESS;
}

LSTATUS EndRegistryReads() {
    Session& session = TheSession();
    std::lock_guard<std::recursive_mutex> guard(session.lock);
    if (auto refused =
            registry::GiveBackBeginning(session, session.reads.depth, "EndRegistryReads", "BeginRegistryReads"))
        return *refused;
    if (--session.reads.depth == 0 && session.store) session.store->ReleaseReads();
    return ERROR_SUCCESS;
}
