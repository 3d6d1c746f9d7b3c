#include "shell/frmsplash.h"

int main(int argc, char *argv[])
{
    return rt::runProgram(argc, argv, {QStringLiteral(":/icons/logo.png"), QStringLiteral(":/icons/temporia-16.png")},
                          [] { rt::form<frmSplash>().setVisible(true); });
}
