// A minimal tray program to measure ours against: one tray icon, one 10-second timer and one hidden
// window of about twenty widgets, as the alarm clock has. With --flash its icon alternates every second,
// as the alarm clock's does while an alarm is due.
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>
#include <QWidget>

namespace {

QIcon Bell(const QColor& background) {
    QPixmap pixmap(32, 32);
    pixmap.fill(background);
    QPainter painter(&pixmap);
    painter.setBrush(Qt::gray);
    painter.drawEllipse(6, 4, 20, 22);
    return QIcon(pixmap);
}

// Twenty widgets in the shape of a settings window; it is built but never shown.
void Populate(QWidget& window) {
    auto* grid = new QGridLayout(&window);
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Label %1").arg(row)), row, 0);
        grid->addWidget(new QLineEdit, row, 1);
        grid->addWidget(new QCheckBox(QStringLiteral("Option %1").arg(row)), row, 2);
    }
    grid->addWidget(new QDateEdit(QDate::currentDate()), 4, 0);
    grid->addWidget(new QLineEdit, 4, 1);
    for (int column = 0; column < 3; ++column) {
        grid->addWidget(new QPushButton(QStringLiteral("Button")), 5, column);
    }
    grid->addWidget(new QPushButton(QStringLiteral("Exit")), 6, 0);
    grid->addWidget(new QLabel(QStringLiteral("Status")), 6, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool flash = application.arguments().contains(QStringLiteral("--flash"));

    QWidget window;
    Populate(window);

    const QIcon plain = Bell(Qt::transparent);
    const QIcon filled = Bell(Qt::red);
    QSystemTrayIcon tray(plain);
    tray.setToolTip(QStringLiteral("Baseline"));
    tray.show();

    // Compares the time with an alarm twelve hours away, like the alarm clock's check.
    const QTime alarm = QTime::currentTime().addSecs(12 * 3600);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&tray, alarm] {
        const QTime now = QTime::currentTime();
        if (now.hour() == alarm.hour() && now.minute() == alarm.minute())
            tray.showMessage(QString(), QString());
    });
    check.start(10000);

    QTimer flasher;
    bool lit = false;
    QObject::connect(&flasher, &QTimer::timeout, [&] {
        lit = !lit;
        tray.setIcon(lit ? filled : plain);
    });
    if (flash) flasher.start(1000);

    return application.exec();
}
