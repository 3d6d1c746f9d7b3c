#include "shell/frmsplash.h"

int main(int argc, char *argv[])
{
    return rt::runProgram(argc, argv, QStringLiteral(":/icons/temporia.ico"),
                          [] { rt::form<frmSplash>().setVisible(true); });
}
