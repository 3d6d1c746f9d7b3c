#include "resourcenames.h"
#include "runtime.h"
#include "shell/commandline.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    Output output;
#ifdef _WIN32
    output.terminal = _isatty(_fileno(stdout)) != 0;
#else
    output.terminal = isatty(STDOUT_FILENO) != 0;
#endif
    output.noColor = !qEnvironmentVariableIsEmpty("NO_COLOR");
    const CommandLine command = readCommandLine(arguments, rt::services().date->today(), output);
    if (!command.openWindows) {
        std::fputs(command.out.c_str(), stdout);
        std::fputs(command.err.c_str(), stderr);
        return command.exitCode;
    }
    return rt::runProgram(argc, argv, resourcenames::programIcon, [&command] { startWindows(command.start); });
}
