// One running program per user and settings location. The first start holds a lock file in the registry's
// prefix and listens on a local socket; a later start finds the lock taken, asks the holder to come
// forward through the socket, and gives way. A start with a command asks the holder through the same
// socket: it writes the command as a line, and reads the answer (its exit status on a line, then its text)
// until the holder closes the connection. In a prefix that other users can change no lock file is made:
// the socket alone is the claim there.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace posix {

class InstanceClaim {
  public:
    // The lock for name when no other process holds it; null after telling the holder that another start
    // happened. Throws std::runtime_error with a text for the user when the registry's prefix (created
    // with mode 0700 when missing) or the lock file cannot be made at all.
    static std::unique_ptr<InstanceClaim> Claim(const std::string& name);
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // The holder's answer to a command; nothing when no process holds the claim for name.
    struct Answer {
        int status = 0;
        std::string text;
    };
    static std::optional<Answer> Ask(const std::string& name, const std::string& command);

    // A later start waiting for its answer: the connection, closed when the answer is given (or the request
    // dropped).
    class Request {
      public:
        Request(int client, std::string command) : client_(client), command_(std::move(command)) {}
        ~Request();
        Request(Request&& other) noexcept;
        Request(const Request&) = delete;
        Request& operator=(const Request&) = delete;
        Request& operator=(Request&&) = delete;
        // Empty for a plain start.
        const std::string& Command() const { return command_; }
        void Reply(const Answer& answer);

      private:
        int client_;
        std::string command_;
    };

    // Readable when a later start knocked; an event loop watches it.
    int ListenDescriptor() const { return listener_; }
    // Takes the pending starts with their commands.
    std::vector<Request> TakeRequests();

  private:
    InstanceClaim(int lockFile, int listener) : lockFile_(lockFile), listener_(listener) {}

    int lockFile_;  // -1 where the socket alone is the claim
    int listener_;
};

}  // namespace posix
