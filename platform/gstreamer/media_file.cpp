#include "platform/gstreamer/media_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "framework/rules/marked_cut.h"
#include "platform/gstreamer/gstreamer_failure.h"

namespace gstreamer {

namespace {

// PATH_MAX counts the terminating NUL.
constexpr std::size_t kLongestName = PATH_MAX - 1;

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "a special file";
}

// Enough of an over-long name to recognise it by.
constexpr std::size_t kBeginningShown = 80;

}  // namespace

void CheckMediaFile(const std::string& fileName) {
    if (fileName.size() > kLongestName) {
        throw Failure("the name is " + std::to_string(fileName.size()) + " bytes long; the system allows " +
                      std::to_string(kLongestName));
    }
    struct stat status {};
    if (stat(fileName.c_str(), &status) != 0) throw Failure(std::strerror(errno));
    if (!S_ISREG(status.st_mode)) throw Failure("it is " + KindOf(status.st_mode) + ", not a regular file");
    // GStreamer finds nothing to play in it and gives no reason.
    if (status.st_size == 0) throw Failure("the file is empty");
}

std::string NameInMessages(const std::string& fileName) {
    if (fileName.size() <= kLongestName) return fileName;
    return MarkedCut(fileName, kBeginningShown);
}

}  // namespace gstreamer
