// Built for Windows and run under Wine by registry_wine.sh:
//   write          stores the registry case table in the system's registry
//   read           prints what the About window's reader makes of each row
//   launch PATH    starts PATH as the About window starts the
//                  system-information program, and prints the outcome
#include "registrycases.h"
#include "windowslauncher.h"
#include "windowsregistry.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The run-time error the About window meets when the program will not start.
constexpr int fileNotFound = 53;

std::wstring widen(const std::string &s)
{
    // The rows are plain ASCII: one character per byte.
    return {s.begin(), s.end()};
}

// Stores every row's bytes exactly: a text without its terminating zero
// stays without one, which the 8-bit call and the import of a .reg file
// would both add.
int write()
{
    for (const cases::Row &row : cases::rows()) {
        if (!row.type)
            continue;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, widen(row.key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr)
            != ERROR_SUCCESS)
            return 1;
        const bool text = row.type == reg::RegSz || row.type == reg::RegExpandSz || row.type == reg::RegMultiSz;
        const std::wstring wide = widen(row.bytes);
        const auto *data =
            text ? reinterpret_cast<const BYTE *>(wide.data()) : reinterpret_cast<const BYTE *>(row.bytes.data());
        const auto size = static_cast<DWORD>(text ? wide.size() * sizeof(wchar_t) : row.bytes.size());
        const LONG stored = ::RegSetValueExW(key, widen(row.value).c_str(), 0, row.type, data, size);
        ::RegCloseKey(key);
        if (stored != ERROR_SUCCESS)
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Lines end in \n alone, as on the system the answers are compared with.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::strcmp(argv[1], "write") == 0)
        return write();
    if (argc == 2 && std::strcmp(argv[1], "read") == 0) {
        std::fputs(cases::answers(reg::systemRegistry()).c_str(), stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "launch") == 0) {
        // The About window's Shell turns a program that will not start into
        // its "file not found".
        const int length = ::MultiByteToWideChar(CP_ACP, 0, argv[2], -1, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path.data(), length);
        path.resize(static_cast<std::size_t>(length - 1));
        if (rt::startWindowsProgram(path))
            std::puts("started");
        else
            std::printf("error %d\n", fileNotFound);
        return 0;
    }
    std::fputs("usage: registry_wine write | read | launch PATH\n", stderr);
    return 2;
}
