// MessageBoxA: Qt's message box as a Windows one. The text is shown as it is, never as rich text; the box
// carries the program's icon, offers neither minimize nor maximize, and is wide enough for the window
// manager's title bar to show its caption whole. A Yes/No box has no Cancel: Escape and the title bar's
// close are refused, only Yes or No answers it. A text longer than a screen shows is cut, and the cut marked.
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>
#include <cstdlib>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/modal_wait.h"

namespace qtbackend {

namespace {

// Room a title bar takes besides its caption: the window icon and up to three buttons, with margins; in
// title-bar heights, a title bar being about twice the font's height.
constexpr int kTitleBarHeightsBesideCaption = 5;

// About what a box as large as a screen shows. Qt lays a box's text out several times over while sizing it,
// which for a megabyte takes the interface away for half a minute and shows nothing more.
constexpr qsizetype kMostCharactersShown = 4096;
constexpr qsizetype kMostLinesShown = 50;

// Qt ends the program when it finds no display to connect to, so a box without one is not tried.
bool DisplayAvailable() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

QString ShownText(QString text) {
    qsizetype end = std::min(text.size(), kMostCharactersShown);
    qsizetype lineBreaks = 0;
    for (qsizetype at = 0; at < end; ++at) {
        if (text[at] == '\n' && ++lineBreaks == kMostLinesShown) end = at;
    }
    if (end == text.size()) return text;
    if (text[end - 1].isHighSurrogate()) --end;  // never half a character
    text.truncate(end);
    return text + QChar(0x2026);
}

class WindowsMessageBox : public QMessageBox {
  public:
    WindowsMessageBox(const QString& caption, const QString& text, UINT type)
        : QMessageBox((type & MB_ICONERROR) != 0 ? Critical : NoIcon, caption, text,
                      AnswerRequired(type) ? Yes | No : Ok),
          answerRequired_(AnswerRequired(type)) {
        setTextFormat(Qt::PlainText);
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (!answerRequired_) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        setWindowFlags(flags);
        KeepCaptionWhole(caption);
    }

    static bool AnswerRequired(UINT type) { return (type & MB_YESNO) != 0; }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (answerRequired_ && event->matches(QKeySequence::Cancel)) return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        // The box's own end (a button, the program's end) hides it without a close event.
        if (answerRequired_) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

  private:
    // A message box sizes itself from its text; a spacer across its grid keeps it as wide as the title
    // bar needs. Title bars commonly show the caption in bold.
    void KeepCaptionWhole(const QString& caption) {
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (grid == nullptr) return;
        QFont titleFont = font();
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        const int width =
            metrics.horizontalAdvance(caption) + kTitleBarHeightsBesideCaption * 2 * metrics.height();
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
    }

    bool answerRequired_;
};

}  // namespace

}  // namespace qtbackend

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    // 0, as Windows answers when it cannot make the box.
    if (QApplication::instance() == nullptr && !qtbackend::DisplayAvailable()) return 0;
    qtbackend::EnsureApplication();
    QString body = QString::fromUtf8(text != nullptr ? text : "");
    // Windows breaks lines at "\r\n" and at a lone "\r" alike.
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    qtbackend::WindowsMessageBox box(QString::fromUtf8(caption != nullptr ? caption : "Error"),
                                     qtbackend::ShownText(body), type);
    qtbackend::ShowAndWait(box, owner);
    if (ApplicationEnding()) return MessageBoxAnswerAtEnd(type);
    if (!qtbackend::WindowsMessageBox::AnswerRequired(type)) return IDOK;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? IDYES : IDNO;
}
