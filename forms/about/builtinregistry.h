#pragma once

#include "registry.h"

#include <array>

namespace reg {

// The registry of a system that has none: a read-only table of the two
// values that lead to the system-information program, which stands beside
// the main executable. Asking for more than read rights is refused, as the
// system refuses a user who may only read.
class BuiltinRegistry final : public Registry {
public:
    // The stand-in program's file name; it is installed next to the program.
    static constexpr const char *programName = "temporia-sysinfo";

    // `programFolder` in the system's 8-bit encoding, without a final separator.
    explicit BuiltinRegistry(const std::string &programFolder);

    std::int32_t RegOpenKeyExA(std::int32_t root, const char *subKey, std::uint32_t options, std::uint32_t access,
                               Handle &key) override;
    std::int32_t RegQueryValueExA(Handle key, const char *valueName, std::uint32_t &type, unsigned char *data,
                                  std::uint32_t &size) override;
    void RegCloseKey(Handle key) override;

private:
    struct Entry {
        const char *key;
        const char *valueName;
        std::string text;
    };
    std::array<Entry, 2> m_entries;
};

} // namespace reg
