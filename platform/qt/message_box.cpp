// MessageBoxA: Qt's message box as a Windows one. The text is shown as it is, never as rich text; the box
// carries the program's icon, offers neither minimize nor maximize, and is wide enough for the window
// manager's title bar to show its caption whole. A Yes/No box has no Cancel: Escape and the title bar's
// close are refused, only Yes or No answers it. A text longer than a box on the screen holds is cut to what
// fits, and the cut marked (framework/message_text.h).
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/rules/message_text.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/modal_wait.h"

namespace qtbackend {

namespace {

// Room a title bar takes besides its caption: the window icon and up to three buttons, with margins; in
// title-bar heights, a title bar being about twice the font's height.
constexpr int kTitleBarHeightsBesideCaption = 5;

// The width Qt gives a box whose text wraps: half the screen's, and at most this.
constexpr int kMostWrappingBoxWidth = 500;

// The window manager's frame around a box, in the font's heights: a title bar about twice the font's
// height, and borders.
constexpr int kFrameHeights = 3;
constexpr int kFrameWidths = 1;

// Qt ends the program when it finds no display to connect to, so a box without one is not tried.
bool DisplayAvailable() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// A box's text from a Windows one: Windows breaks lines at "\r\n" and at a lone "\r" alike.
QString BoxText(std::string_view text) {
    QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
}

class WindowsMessageBox : public QMessageBox {
  public:
    WindowsMessageBox(const QString& caption, UINT type)
        : QMessageBox((type & MB_ICONERROR) != 0 ? Critical : NoIcon, caption, QString(),
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

  public:
    // The program closed it unanswered.
    bool ended = false;
};

// Whether a text fits a box on the screen, measured with the box's font, wrapped as the box wraps it, with
// the box's own chrome (icon, margins, buttons) and the window manager's frame around it. Erring, it finds
// the text larger than the box shows it: the chrome is taken from a box whose one line is beside its icon,
// and the text wraps at a width the box may widen (for a caption, say), never narrow.
class BoxMeasure {
  public:
    // Measures the box as it is before its text is set; leaves it with a text of its own.
    BoxMeasure(WindowsMessageBox& box, const QRect& available) : metrics_(box.font()) {
        box.setText(QStringLiteral("x"));
        box.resize(box.sizeHint());
        box.layout()->activate();
        // QMessageBox shows its text in this label, with the box's font.
        const QLabel* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const int chromeWidth = box.width() - label->width() + kFrameWidths * metrics_.height();
        const int chromeHeight = box.height() - label->height() + kFrameHeights * metrics_.height();
        wrapWidth_ = std::min(available.width() / 2, kMostWrappingBoxWidth) - chromeWidth;
        roomWidth_ = available.width() - chromeWidth;
        roomHeight_ = available.height() - chromeHeight;
    }

    // A word longer than a line widens the text: the box widens with it.
    bool Fits(std::string_view text) const {
        const QRect extent =
            metrics_.boundingRect(QRect(0, 0, wrapWidth_, roomHeight_), Qt::TextWordWrap, BoxText(text));
        return extent.width() <= roomWidth_ && extent.height() <= roomHeight_;
    }

  private:
    QFontMetrics metrics_;
    int wrapWidth_ = 0;
    int roomWidth_ = 0;
    int roomHeight_ = 0;
};

// The screen where a box for this owner shows: its window's, else the primary one.
const QScreen& ScreenFor(HWND owner) {
    const QWidget* window = WindowToStayAbove(owner);
    return window != nullptr ? *window->screen() : *QGuiApplication::primaryScreen();
}

// Outermost first.
std::vector<WindowsMessageBox*>& OpenBoxes() {
    static std::vector<WindowsMessageBox*> boxes;
    return boxes;
}

// A box counts as open from its making to its wait's end, however that ends.
class OpenBox {
  public:
    explicit OpenBox(WindowsMessageBox& box) { OpenBoxes().push_back(&box); }
    ~OpenBox() { OpenBoxes().pop_back(); }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;
};

}  // namespace

std::size_t OpenMessageBoxes() { return OpenBoxes().size(); }

void EndMessageBoxes(std::size_t depth) {
    for (std::size_t box = depth; box <= OpenBoxes().size(); ++box) {
        OpenBoxes()[box - 1]->ended = true;
        OpenBoxes()[box - 1]->reject();
    }
}

}  // namespace qtbackend

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    // 0, as Windows answers when it cannot make the box.
    if (QApplication::instance() == nullptr && !qtbackend::DisplayAvailable()) return 0;
    qtbackend::EnsureApplication();
    qtbackend::WindowsMessageBox box(QString::fromUtf8(caption != nullptr ? caption : "Error"), type);
    const qtbackend::BoxMeasure measure(box, qtbackend::ScreenFor(owner).availableGeometry());
    box.setText(qtbackend::BoxText(FittedMessageText(
        text != nullptr ? text : "", [&](std::string_view part) { return measure.Fits(part); })));
    {
        const qtbackend::OpenBox open(box);
        qtbackend::ShowAndWait(box, owner);
    }
    if (ApplicationEnding() || box.ended) return MessageBoxAnswerAtEnd(type);
    if (!qtbackend::WindowsMessageBox::AnswerRequired(type)) return IDOK;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? IDYES : IDNO;
}
