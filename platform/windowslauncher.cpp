#ifdef _WIN32

#include "windowslauncher.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace rt {

bool startWindowsProgram(const std::wstring &path)
{
    // A quote cannot be part of a file name; one would end the quoted name
    // early and hand the rest to the program as arguments.
    if (path.empty() || path.find(L'"') != std::wstring::npos)
        return false;
    // The system reads the program's name from the command line: quoted, the
    // whole path is the name, blanks included.
    std::wstring commandLine = L"\"" + path + L"\"";
    // A normal window that takes the focus, as the About window asks for.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    // The program runs on its own; nothing here waits for it.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

} // namespace rt

#endif
