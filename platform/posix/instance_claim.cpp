#include "platform/posix/instance_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/registry_file.h"
#include "platform/posix/registry/registry_location.h"
#include "platform/posix/registry/registry_trust.h"
#include "platform/registry_error_text.h"

namespace posix {

namespace {

// An abstract socket name (no file to clean up), unique to the lock file's path.
sockaddr_un SocketAddress(const std::string& lockPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = "alarmclock-" + std::to_string(std::hash<std::string>{}(lockPath));
    std::memcpy(address.sun_path + 1, name.data(), std::min(name.size(), sizeof address.sun_path - 2));
    return address;
}

socklen_t AddressLength(const sockaddr_un& address) {
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + std::strlen(address.sun_path + 1));
}

// The holder may not listen yet when it has only just started: knock for up to two seconds. The
// connection itself is the knock; nothing is written, since the holder closes its end at once and a write
// would then raise SIGPIPE in this process.
void Knock(const sockaddr_un& address) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (client < 0) return;
        const bool connected =
            connect(client, reinterpret_cast<const sockaddr*>(&address), AddressLength(address)) == 0;
        close(client);
        if (connected) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// The registry's prefix, made as the registry makes it (owner only), since the lock is often there first.
// Its failures read as the registry's do.
std::filesystem::path PreparedPrefix() {
    try {
        std::filesystem::path prefix = registry::RegistryPrefix();
        registry::CreatePrivateDirectories(prefix);
        return prefix;
    } catch (const registry::RegistryError& error) {
        registry::RecordRegistryFailure(error);
        throw std::runtime_error(RegistryErrorText(error.code()));
    }
}

// A socket listening for later starts on `address`, or -1 with errno set.
int Listen(const sockaddr_un& address) {
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0) return -1;
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), AddressLength(address)) != 0 ||
        listen(listener, 8) != 0) {
        const int error = errno;
        close(listener);
        errno = error;
        return -1;
    }
    return listener;
}

[[noreturn]] void FailToListen() {
    throw std::system_error(errno, std::generic_category(), "cannot listen for later starts");
}

}  // namespace

std::unique_ptr<InstanceClaim> InstanceClaim::Claim(const std::string& name) {
    const std::filesystem::path lockPath = PreparedPrefix() / (name + ".lock");
    const sockaddr_un address = SocketAddress(lockPath.string());
    // Nothing is made where others can change it (registry_trust.h): there the socket's name, which one
    // process at a time can bind and which goes with its process, is the claim.
    if (registry::OthersCanWrite(lockPath)) {
        const int listener = Listen(address);
        if (listener >= 0) return std::unique_ptr<InstanceClaim>(new InstanceClaim(-1, listener));
        if (errno != EADDRINUSE) FailToListen();
        Knock(address);
        return nullptr;
    }
    const int lockFile = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFile < 0)
        throw std::system_error(errno, std::generic_category(), "cannot open " + lockPath.string());
    if (flock(lockFile, LOCK_EX | LOCK_NB) != 0) {
        close(lockFile);
        Knock(address);
        return nullptr;
    }
    const int listener = Listen(address);
    if (listener < 0) {
        const int error = errno;
        close(lockFile);
        errno = error;
        FailToListen();
    }
    return std::unique_ptr<InstanceClaim>(new InstanceClaim(lockFile, listener));
}

InstanceClaim::~InstanceClaim() {
    close(listener_);
    if (lockFile_ >= 0) close(lockFile_);  // releases the lock
}

bool InstanceClaim::TakeKnocks() {
    bool knocked = false;
    for (;;) {
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) return knocked;
        knocked = true;
        close(client);
    }
}

}  // namespace posix
