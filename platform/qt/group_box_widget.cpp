#include "platform/qt/group_box_widget.h"

#include <qdrawutil.h>
#include <QStylePainter>

namespace qtbackend {

namespace {

constexpr int kCaptionAlignment = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;

}  // namespace

void GroupBoxWidget::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const int lineHeight = fontMetrics().height();
    // Etched, as Windows draws it; a style's own group frame leaves room for a caption above it.
    qDrawShadeRect(&painter, rect().adjusted(0, lineHeight / 2, 0, 0), palette(), true);
    if (title().isEmpty()) return;
    const QRect caption = style()->itemTextRect(fontMetrics(), QRect(kCaptionLeft, 0, width(), lineHeight),
                                                kCaptionAlignment, isEnabled(), title());
    painter.fillRect(caption, palette().window());
    painter.drawItemText(caption, kCaptionAlignment, palette(), isEnabled(), title(), QPalette::WindowText);
}

}  // namespace qtbackend
