// The kiosk's start-up peer: the least a Qt program does to show what the kiosk's idle screen shows,
// a borderless full-screen window with a clock that ticks twice a second.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel clock;
    clock.setWindowFlag(Qt::FramelessWindowHint);
    clock.setAlignment(Qt::AlignCenter);
    QFont font("Verdana");
    font.setPointSize(16);
    clock.setFont(font);
    const auto tick = [&clock] {
        clock.setText(QDateTime::currentDateTime().toString("dddd dd.MM.yyyy hh:mm"));
    };
    tick();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, tick);
    timer.start(500);
    // The screen's work area, as the kiosk takes it: a full-screen request alone is a window
    // manager's business, and a kiosk's X server may run none.
    clock.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    clock.show();
    return app.exec();
}
