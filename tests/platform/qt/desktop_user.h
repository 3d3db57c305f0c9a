// The user at the test display: real pointer and keyboard input through xdotool, and what the screen shows
// through ImageMagick's import. Calls run synchronously; the events reach Qt once its loop runs again.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>

namespace desktop_user {

// The command's standard output; the test fails when it exits with an error.
std::string Run(const std::string& command);

void Click(QPoint at, int button = 1);
void DoubleClick(QPoint at);
void Type(const std::string& text);
// Key names as xdotool knows them: "Return", "Tab", "ctrl+a".
void Key(const std::string& keys);
QPoint Pointer();

QImage Screenshot(const QRect& area);
// Where the X server shows the first icon embedded in trayer's notification area; empty while there is
// none.
QRect TrayIconArea();

}  // namespace desktop_user
