#include "framework/rules/timer_marks.h"

#include <algorithm>

namespace timer_marks {

Step NextStep(const SYSTEMTIME& now, unsigned intervalMs) {
    using std::chrono::milliseconds;
    const milliseconds interval{std::max(intervalMs, 1u)};
    const milliseconds sinceMidnight = std::chrono::hours{now.wHour} + std::chrono::minutes{now.wMinute} +
                                       std::chrono::seconds{now.wSecond} + milliseconds{now.wMilliseconds};
    const milliseconds sinceMark = sinceMidnight % interval;
    const milliseconds toMark = interval - sinceMark;
    // Within the last tenth of an interval before a mark, a wake is early: the mark is awaited.
    const bool early = toMark * 10 <= interval;
    return Step{.tick = !early, .wait = toMark + kLag};
}

}  // namespace timer_marks
