#include "shell/frmsplash.h"

int main(int argc, char *argv[])
{
    return rt::runProgram(argc, argv, {QStringLiteral(":/icons/logo.xpm"), QStringLiteral(":/icons/temporia-16.xpm")},
                          [] { rt::form<frmSplash>().setVisible(true); });
}
