#ifdef _WIN32

#include "windowsregistry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace reg {

// The reader's own names for the system's values must be the system's.
static_assert(KeyRead == KEY_READ);
static_assert(RegSz == REG_SZ && RegExpandSz == REG_EXPAND_SZ && RegBinary == REG_BINARY && RegDword == REG_DWORD
              && RegMultiSz == REG_MULTI_SZ);
static_assert(Success == ERROR_SUCCESS && FileNotFound == ERROR_FILE_NOT_FOUND && AccessDenied == ERROR_ACCESS_DENIED
              && MoreData == ERROR_MORE_DATA);
static_assert(sizeof(Handle) == sizeof(HKEY));

namespace {

HKEY toKey(Handle key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

std::int32_t WindowsRegistry::RegOpenKeyExA(std::int32_t root, const char *subKey, std::uint32_t options,
                                            std::uint32_t access, Handle &key)
{
    // A root travels as its 32-bit value; the system widens it with its sign,
    // as its own root constants are made.
    const HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
    HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExA(rootKey, subKey, options, static_cast<REGSAM>(access), &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<Handle>(opened) : 0;
    return result;
}

std::int32_t WindowsRegistry::RegQueryValueExA(Handle key, const char *valueName, std::uint32_t &type,
                                               unsigned char *data, std::uint32_t &size)
{
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG result = ::RegQueryValueExA(toKey(key), valueName, nullptr, &valueType, data, &valueSize);
    type = valueType;
    size = valueSize;
    return result;
}

void WindowsRegistry::RegCloseKey(Handle key)
{
    ::RegCloseKey(toKey(key));
}

std::string WindowsRegistry::expandReferences(const std::string &text) const
{
    // The first call measures (with the terminating zero), the second fills.
    const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0)
        return text;
    std::string expanded(needed, '\0');
    const DWORD written = ::ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed)
        return text;
    expanded.resize(written - 1);
    return expanded;
}

Registry &systemRegistry()
{
    static WindowsRegistry registry;
    return registry;
}

} // namespace reg

#endif
