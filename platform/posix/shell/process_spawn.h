// Starting a program as the shell's "Open" does: detached from this process. The child runs in a
// session of its own, with default signal handling, an empty signal mask and no descriptor of ours but
// 0 to 2, and nothing interprets its arguments.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/shell/process_reaper.h"

namespace posix {

// Descriptors of ours that the child gets as its standard input and standard error (-1: ours).
struct ChildStreams {
    int input = -1;
    int error = -1;
};

// program is the path that is executed, argv what it receives (argv[0] included); the child changes to
// directory first when it is not empty. It is reaped, and exited told how it ended (see Reap). The errno
// of the failure, from the child's exec included; 0 when the program runs.
int Spawn(const std::string& program, const std::vector<std::string>& argv, const std::string& directory,
          ExitHandler exited = {}, ChildStreams streams = {});

}  // namespace posix
