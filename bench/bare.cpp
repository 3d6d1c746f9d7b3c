// The bare-toolkit baseline: a Qt Widgets program that shows one window,
// either of the splash window's size, centred and empty ("splash") or with
// one line of text in it ("text"), maximised and empty ("maximised"), or a
// calendar widget on this month at its own size ("calendar").
// Start-up and memory of the real program are compared with it.
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("splash");
    if (mode == "calendar") {
        QCalendarWidget calendar;
        calendar.setWindowTitle(QStringLiteral("bare calendar"));
        calendar.show();
        return QApplication::exec();
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare %1").arg(QString::fromLatin1(mode)));
    if (mode == "maximised") {
        window.showMaximized();
    } else {
        if (mode == "text")
            (new QLabel(QStringLiteral("TEMPORIA"), &window))->move(150, 100);
        // 7380 x 4245 twips at 15 twips per pixel.
        window.resize(492, 283);
        window.move(window.screen()->geometry().center() - window.rect().center());
        window.show();
    }
    return QApplication::exec();
}
