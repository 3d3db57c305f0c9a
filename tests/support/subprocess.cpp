#include "tests/support/subprocess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace {

[[noreturn]] void ExecOrDie(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

std::string Contents(FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    while (std::size_t count = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, count);
    std::fclose(file);
    return text;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input) {
    // Files rather than pipes for the outputs, so a chatty child can never block on a full pipe.
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    FILE* in = std::tmpfile();
    if (out == nullptr || err == nullptr || in == nullptr) throw std::runtime_error("tmpfile failed");
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fileno(in), 0);
        dup2(fileno(out), 1);
        dup2(fileno(err), 2);
        ExecOrDie(argv);
    }
    std::fclose(in);
    ProcessResult result;
    result.exitCode = WaitFor(pid);
    result.out = Contents(out);
    result.err = Contents(err);
    return result;
}

PipedChild StartPiped(const std::vector<std::string>& argv) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(ends[1], 1);
        ExecOrDie(argv);
    }
    close(ends[1]);
    return {pid, ends[0]};
}

std::string ReadToEnd(int descriptor) {
    std::string text;
    char buffer[4096];
    ssize_t count;
    while ((count = read(descriptor, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(count));
    close(descriptor);
    return text;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
