// The bare-toolkit baseline: a Qt Widgets program that shows one window,
// either of the splash window's size, centred and empty ("splash") or with
// one line of text in it ("text"), maximised and empty ("maximised") or
// with one line of text ("maximised-text"), or a calendar widget on this
// month at its own size ("calendar").
// "key" is the floor of a key typed on a splash: a window of the splash's
// size, pure red with one line of text, which on any key opens a maximised
// window with one line of text ("bare key month") and closes itself.
// Start-up and memory of the real program are compared with it.
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace {

void addText(QWidget &window)
{
    (new QLabel(QStringLiteral("TEMPORIA"), &window))->move(150, 100);
}

// In "key" mode, the first key typed opens the maximised window and closes
// this one, as the splash's unload does.
class KeyWindow : public QWidget {
public:
    explicit KeyWindow(bool opensOnKey)
        : m_opensOnKey(opensOnKey)
    {
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!m_opensOnKey || event->text().isEmpty())
            return;
        auto *month = new QWidget;
        month->setAttribute(Qt::WA_DeleteOnClose);
        month->setWindowTitle(QStringLiteral("bare key month"));
        addText(*month);
        month->showMaximized();
        close();
    }

private:
    const bool m_opensOnKey;
};

} // namespace

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
    KeyWindow window(mode == "key");
    window.setWindowTitle(QStringLiteral("bare %1").arg(QString::fromLatin1(mode)));
    if (mode == "maximised") {
        window.showMaximized();
    } else if (mode == "maximised-text") {
        addText(window);
        window.showMaximized();
    } else {
        // The splash has its texts, so its fonts are loaded before the key.
        if (mode == "text" || mode == "key")
            addText(window);
        if (mode == "key") {
            window.setAutoFillBackground(true);
            QPalette red = window.palette();
            red.setColor(QPalette::Window, Qt::red);
            window.setPalette(red);
        }
        // 7380 x 4245 twips at 15 twips per pixel.
        window.resize(492, 283);
        window.move(window.screen()->geometry().center() - window.rect().center());
        window.show();
    }
    return QApplication::exec();
}
