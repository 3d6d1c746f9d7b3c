// Started by the launcher's integration test in place of the system
// information program. It writes how it was started - its own path, then
// each argument, one a line - to the file TEMPORIA_PROBE_LOG names.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char *argv[])
{
    const char *log = std::getenv("TEMPORIA_PROBE_LOG");
    if (!log)
        return 2;
    // Complete before it appears: the test waits for the file.
    const std::string part = std::string(log) + ".part";
    {
        std::ofstream out(part);
        for (int i = 0; i < argc; ++i)
            out << argv[i] << '\n';
    }
    return std::rename(part.c_str(), log) == 0 ? 0 : 1;
}
