#include "calendar/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(rt::App().Title);
    QApplication::setQuitOnLastWindowClosed(false);
    rt::installFonts();

    rt::dispatch([] { rt::form<Form1>().setVisible(true); });
    return QApplication::exec();
}
