#include "calendar/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The web view, loaded later from a plugin, needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(rt::App().Title);
    QApplication::setQuitOnLastWindowClosed(false);
    rt::installFonts();

    rt::dispatch([] { rt::form<Form1>().setVisible(true); });
    return QApplication::exec();
}
