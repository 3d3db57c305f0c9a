#include "platform/posix/instance/instance_claim.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>

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

// How long a request's line and an answer may take: an answer waits for the holder's interface thread,
// which may be in a 10-second wait for the registry.
constexpr int kRequestMs = 1000;
constexpr int kAnswerMs = 30000;
// A command is a word; a longer line is no request of ours.
constexpr std::size_t kLongestCommand = 64;

// What arrives on the connection until its end or the time limit; nothing when that passes first.
std::optional<std::string> ReadUntilEnd(int connection, int timeoutMs, std::size_t limit) {
    std::string text;
    for (;;) {
        pollfd wait{connection, POLLIN, 0};
        if (poll(&wait, 1, timeoutMs) <= 0) return std::nullopt;
        char buffer[512];
        const ssize_t got = read(connection, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return text;
        text.append(buffer, static_cast<std::size_t>(got));
        if (text.size() > limit) return std::nullopt;
    }
}

bool WriteAll(int connection, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t sent = send(connection, text.data() + written, text.size() - written, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        written += static_cast<std::size_t>(sent);
    }
    return true;
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

std::optional<InstanceClaim::Answer> InstanceClaim::Ask(const std::string& name, const std::string& command) {
    const sockaddr_un address = SocketAddress((registry::RegistryPrefix() / (name + ".lock")).string());
    const int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0) throw std::system_error(errno, std::generic_category(), "cannot make a socket");
    if (connect(client, reinterpret_cast<const sockaddr*>(&address), AddressLength(address)) != 0) {
        close(client);
        return std::nullopt;
    }
    const bool sent = WriteAll(client, command + "\n") && shutdown(client, SHUT_WR) == 0;
    const std::optional<std::string> reply = sent ? ReadUntilEnd(client, kAnswerMs, 1 << 20) : std::nullopt;
    close(client);
    const std::size_t lineEnd = reply ? reply->find('\n') : std::string::npos;
    if (lineEnd == std::string::npos) throw std::runtime_error("the running program gave no answer");
    return Answer{std::atoi(reply->substr(0, lineEnd).c_str()), reply->substr(lineEnd + 1)};
}

// A plain start only connects and closes: its request is the empty line at once.
std::vector<InstanceClaim::Request> InstanceClaim::TakeRequests() {
    std::vector<Request> requests;
    for (;;) {
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) return requests;
        std::optional<std::string> line = ReadUntilEnd(client, kRequestMs, kLongestCommand);
        if (!line) {
            close(client);
            continue;
        }
        if (!line->empty() && line->back() == '\n') line->pop_back();
        requests.emplace_back(client, std::move(*line));
    }
}

InstanceClaim::Request::~Request() {
    if (client_ >= 0) close(client_);
}

InstanceClaim::Request::Request(Request&& other) noexcept
    : client_(std::exchange(other.client_, -1)), command_(std::move(other.command_)) {}

// A start that gave up waiting is gone: its answer is dropped.
void InstanceClaim::Request::Reply(const Answer& answer) {
    WriteAll(client_, std::to_string(answer.status) + "\n" + answer.text);
    close(std::exchange(client_, -1));
}

}  // namespace posix
