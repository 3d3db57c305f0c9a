#include "tests/platform/qt/desktop_user.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <regex>
#include <sstream>

namespace desktop_user {

namespace {

QPoint Parse(const std::string& text, const std::regex& pattern) {
    std::smatch match;
    if (!std::regex_search(text, match, pattern)) return {};
    return {std::stoi(match[1]), std::stoi(match[2])};
}

}  // namespace

std::optional<std::string> TryRun(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::array<char, 4096> buffer;
    while (std::size_t count = fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), count);
    if (pclose(pipe) != 0) return std::nullopt;
    return output;
}

std::string Run(const std::string& command) {
    std::optional<std::string> output = TryRun(command);
    if (!output) ADD_FAILURE() << "Failed: " << command;
    return output.value_or("");
}

void Click(QPoint at, int button) {
    Run("xdotool mousemove " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " click " +
        std::to_string(button));
}

void DoubleClick(QPoint at) {
    Run("xdotool mousemove " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " click --repeat 2 1");
}

void Type(const std::string& text) { Run("xdotool type --delay 30 '" + text + "'"); }

void Key(const std::string& keys) { Run("xdotool key " + keys); }

QPoint Pointer() { return Parse(Run("xdotool getmouselocation"), std::regex(R"(x:(-?\d+) y:(-?\d+))")); }

QImage Screenshot(const QRect& area) {
    std::ostringstream crop;
    crop << area.width() << 'x' << area.height() << '+' << area.x() << '+' << area.y();
    const std::string png = Run("import -window root -crop " + crop.str() + " png:-");
    return QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

QRect TrayIconArea() {
    // trayer's panel holds a socket window per icon; the icon's own window, with the program's class, is
    // the socket's child.
    // xwininfo lists the tree window by window, so a window that goes away meanwhile (another program's,
    // or one of trayer's) fails the whole listing: that is a listing to take again, not a failure.
    std::optional<std::string> listing;
    for (int attempt = 0; attempt < 50 && !listing; ++attempt) listing = TryRun("xwininfo -root -tree");
    if (!listing) ADD_FAILURE() << "Failed: xwininfo -root -tree";
    std::istringstream tree(listing.value_or(""));
    const std::regex classed(R"(\("[^"]*" "[^"]*"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))");
    std::string line;
    int panelIndent = -1;
    while (std::getline(tree, line)) {
        const auto indent = static_cast<int>(line.find_first_not_of(' '));
        if (panelIndent < 0) {
            if (line.find("(\"panel\" \"trayer\")") != std::string::npos) panelIndent = indent;
            continue;
        }
        if (indent <= panelIndent) break;
        std::smatch match;
        if (std::regex_search(line, match, classed)) {
            return {std::stoi(match[3]), std::stoi(match[4]), std::stoi(match[1]), std::stoi(match[2])};
        }
    }
    return {};
}

}  // namespace desktop_user
