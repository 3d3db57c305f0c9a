// One running program per user and settings location. The first start holds a lock file in the registry's
// prefix and listens on a local socket; a later start finds the lock taken, asks the holder to come
// forward through the socket, and gives way. In a prefix that other users can change no lock file is made:
// the socket alone is the claim there.
#pragma once

#include <memory>
#include <string>

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

    // Readable when a later start knocked; an event loop watches it.
    int ListenDescriptor() const { return listener_; }
    // Takes the pending knocks; true when there was at least one.
    bool TakeKnocks();

  private:
    InstanceClaim(int lockFile, int listener) : lockFile_(lockFile), listener_(listener) {}

    int lockFile_;  // -1 where the socket alone is the claim
    int listener_;
};

}  // namespace posix
