#include "platform/posix/shell/process_spawn.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace posix {

namespace {

class SpawnAttributes {
  public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes_, &none);
        // Whatever this process ignores (SIGPIPE, for one) the program gets back to normal.
        sigset_t all;
        sigfillset(&all);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setflags(&attributes_,
                                 POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

  private:
    posix_spawnattr_t attributes_;
};

class FileActions {
  public:
    FileActions(const std::string& directory, ChildStreams streams) {
        posix_spawn_file_actions_init(&actions_);
        if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions_, directory.c_str());
        if (streams.input >= 0) posix_spawn_file_actions_adddup2(&actions_, streams.input, STDIN_FILENO);
        if (streams.error >= 0) posix_spawn_file_actions_adddup2(&actions_, streams.error, STDERR_FILENO);
        // Descriptors opened without O_CLOEXEC, by us or by a library, stay here.
        posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
    }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;

    const posix_spawn_file_actions_t* get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

int Spawn(const std::string& program, const std::vector<std::string>& argv, const std::string& directory,
          ExitHandler exited, ChildStreams streams) {
    std::vector<char*> arguments;
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    const SpawnAttributes attributes;
    const FileActions actions(directory, streams);
    pid_t pid = 0;
    // glibc's posix_spawn returns the exec's own failure, so a program that cannot run is reported.
    const int error =
        posix_spawn(&pid, program.c_str(), actions.get(), attributes.get(), arguments.data(), environ);
    if (error == 0) Reap(pid, std::move(exited));
    return error;
}

}  // namespace posix
