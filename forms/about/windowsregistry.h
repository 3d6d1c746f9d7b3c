#pragma once

#include "registry.h"

#ifdef _WIN32

namespace reg {

// The system registry through its 8-bit calls. A handle is the key itself.
class WindowsRegistry final : public Registry {
public:
    std::int32_t RegOpenKeyExA(std::int32_t root, const char *subKey, std::uint32_t options, std::uint32_t access,
                               Handle &key) override;
    std::int32_t RegQueryValueExA(Handle key, const char *valueName, std::uint32_t &type, unsigned char *data,
                                  std::uint32_t &size) override;
    void RegCloseKey(Handle key) override;
    [[nodiscard]] std::string expandReferences(const std::string &text) const override;
};

} // namespace reg

#endif
