#include "registry.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace reg {
namespace {

Registry *&installed()
{
    static Registry *current = nullptr;
    return current;
}

} // namespace

KeyValue readKeyValue(Registry &registry, std::int32_t root, const char *keyName, const char *valueName)
{
    // Read rights only: a user who may read the key but not change it still
    // finds the program.
    Handle key = 0;
    if (registry.RegOpenKeyExA(root, keyName, 0, KeyRead, key) != Success)
        return {};
    struct Closer {
        Registry &registry;
        Handle key;
        ~Closer() { registry.RegCloseKey(key); }
    } closer{registry, key};

    std::array<unsigned char, 1024> buffer{};
    std::uint32_t size = buffer.size();
    std::uint32_t type = 0;
    if (registry.RegQueryValueExA(key, valueName, type, buffer.data(), size) != Success)
        return {};

    // The bytes stored, without the terminating zero of a text; whatever the
    // type, a last counted byte that is not zero is kept.
    std::string_view bytes(reinterpret_cast<const char *>(buffer.data()), std::min<std::size_t>(size, buffer.size()));
    if (!bytes.empty() && bytes.back() == '\0')
        bytes.remove_suffix(1);

    switch (type) {
    case RegSz:
        return {KeyValue::Outcome::Read, std::string(bytes)};
    case RegExpandSz:
        return {KeyValue::Outcome::Read, registry.expandReferences(std::string(bytes))};
    case RegDword: {
        // Most significant byte first: 02 01 00 (00 trimmed) -> 0x000102 -> 258.
        // A value stored wider than 32 bits counts only while its top bytes are zero.
        std::uint64_t number = 0;
        for (auto b = bytes.rbegin(); b != bytes.rend(); ++b) {
            number = number * 256 + static_cast<unsigned char>(*b);
            if (number > std::numeric_limits<std::uint32_t>::max())
                return {KeyValue::Outcome::NumberTooWide, {}};
        }
        return {KeyValue::Outcome::Read, bytes.empty() ? std::string() : std::to_string(number)};
    }
    default:
        return {}; // not a value that reads as text
    }
}

std::string expandReferences(const std::string &text,
                             const std::function<std::optional<std::string>(const std::string &)> &lookup)
{
    std::string out;
    std::string::size_type from = 0;
    for (;;) {
        const auto open = text.find('%', from);
        const auto close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
        if (close == std::string::npos)
            return out.append(text, from, std::string::npos);
        out.append(text, from, open - from);
        const std::string name = text.substr(open + 1, close - open - 1);
        const std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
        out.append(value ? *value : text.substr(open, close - open + 1));
        from = close + 1;
    }
}

std::string Registry::expandReferences(const std::string &text) const
{
    return reg::expandReferences(text, [](const std::string &name) -> std::optional<std::string> {
        if (const char *value = std::getenv(name.c_str()))
            return std::string(value);
        return std::nullopt;
    });
}

Registry &registry()
{
    Registry *&current = installed();
    return current ? *current : systemRegistry();
}

Registry *&installedRegistry()
{
    return installed();
}

} // namespace reg
