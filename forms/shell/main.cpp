#include "shell/frmsplash.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // The web view, loaded later from a plugin, needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return rt::runProgram(argc, argv, QStringLiteral(":/icons/temporia.ico"),
                          [] { rt::form<frmSplash>().setVisible(true); });
}
