#include "resourcenames.h"
#include "runtime.h"
#include "shell/commandline.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = readCommandLine(arguments, rt::services().date->today());
    if (!command.openWindows) {
        std::fputs(command.out.c_str(), stdout);
        std::fputs(command.err.c_str(), stderr);
        return command.exitCode;
    }
    return rt::runProgram(argc, argv, resourcenames::programIcon, [&command] { startWindows(command.start); });
}
