// The bare-toolkit baseline: a Qt Widgets program that shows one empty window,
// either of the splash window's size, centred ("splash"), or maximised
// ("maximised"). Start-up and memory of the real program are compared with it.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool maximised = argc > 1 && qstrcmp(argv[1], "maximised") == 0;
    QWidget window;
    window.setWindowTitle(maximised ? QStringLiteral("bare maximised") : QStringLiteral("bare splash"));
    if (maximised) {
        window.showMaximized();
    } else {
        // 7380 x 4245 twips at 15 twips per pixel.
        window.resize(492, 283);
        window.move(window.screen()->geometry().center() - window.rect().center());
        window.show();
    }
    return QApplication::exec();
}
