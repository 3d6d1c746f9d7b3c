#include "pictures.h"
#include "shell/frmsplash.h"

int main(int argc, char *argv[])
{
    return rt::runProgram(argc, argv, pictures::programIcon, [] { rt::form<frmSplash>().setVisible(true); });
}
