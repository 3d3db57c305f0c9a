#include "tests/platform/qt/desktop_user.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
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

std::string Run(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "Cannot run " << command;
        return output;
    }
    std::array<char, 4096> buffer;
    while (std::size_t count = fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), count);
    if (pclose(pipe) != 0) ADD_FAILURE() << "Failed: " << command;
    return output;
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
    std::istringstream tree(Run("xwininfo -root -tree"));
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
