#include "builtinregistry.h"

#include <algorithm>
#include <cstring>

#ifndef _WIN32
#include <QCoreApplication>
#endif

namespace reg {
namespace {

// Registry names ignore the case of ASCII letters.
bool sameName(const char *a, const char *b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    for (; *a && *b; ++a, ++b) {
        if (lower(static_cast<unsigned char>(*a)) != lower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

} // namespace

BuiltinRegistry::BuiltinRegistry(const std::string &programFolder)
    : m_entries{{
        {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", programFolder + '/' + programName},
        {"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", programFolder},
    }}
{
}

std::int32_t BuiltinRegistry::RegOpenKeyExA(std::int32_t root, const char *subKey, std::uint32_t options,
                                            std::uint32_t access, Handle &key)
{
    (void)options;
    key = 0;
    if (root != HKeyLocalMachine || !subKey)
        return FileNotFound;
    const auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return sameName(e.key, subKey); });
    if (entry == m_entries.end())
        return FileNotFound;
    if ((access & ~KeyRead) != 0)
        return AccessDenied;
    key = static_cast<Handle>(entry - m_entries.begin()) + 1;
    return Success;
}

std::int32_t BuiltinRegistry::RegQueryValueExA(Handle key, const char *valueName, std::uint32_t &type,
                                               unsigned char *data, std::uint32_t &size)
{
    if (key == 0 || key > m_entries.size() || !valueName)
        return FileNotFound;
    const Entry &entry = m_entries[key - 1];
    if (!sameName(entry.valueName, valueName))
        return FileNotFound;
    // Stored as text with its terminating zero.
    const std::uint32_t stored = static_cast<std::uint32_t>(entry.text.size()) + 1;
    type = RegSz;
    if (stored > size) {
        size = stored;
        return MoreData;
    }
    std::memcpy(data, entry.text.c_str(), stored);
    size = stored;
    return Success;
}

void BuiltinRegistry::RegCloseKey(Handle key)
{
    (void)key; // nothing is held open
}

#ifndef _WIN32
Registry &systemRegistry()
{
    // From the running executable's folder, so that it is found in the build
    // tree as well as where the program is installed.
    static BuiltinRegistry registry(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString());
    return registry;
}
#endif

} // namespace reg
