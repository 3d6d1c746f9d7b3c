// The registry as the About window reads it: the three 8-bit calls behind a
// seam, so that the same reader runs on every system. Windows has the real
// registry (windowsregistry.h); elsewhere a built-in read-only table answers
// the two lookups that find the system-information program
// (builtinregistry.h); tests install a double in installedRegistry().
//
// Nothing here depends on Qt, so the Windows back-end also builds with a
// bare cross compiler. Nothing is ever written to the registry.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace reg {

// An open key; 0 until a key is opened.
using Handle = std::uintptr_t;

// The root the About window reads under, as its 32-bit value.
inline constexpr std::int32_t HKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

// Read-control plus query value, enumerate subkeys and notify: all a reader
// needs, and all that a user who may only read a key is granted.
inline constexpr std::uint32_t KeyRead = 0x20019;

// Value types.
inline constexpr std::uint32_t RegSz = 1;       // zero-terminated text
inline constexpr std::uint32_t RegExpandSz = 2; // text with %NAME% environment references
inline constexpr std::uint32_t RegBinary = 3;
inline constexpr std::uint32_t RegDword = 4; // 32 bits, least significant byte first
inline constexpr std::uint32_t RegMultiSz = 7;

// Where the system-information program is registered, in the order they are
// tried: its full path, or failing that its folder.
struct Lookup {
    const char *key;   // under HKeyLocalMachine
    const char *value; // the value's name
};
inline constexpr std::array<Lookup, 2> sysInfoLookups{{
    {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"},
    {"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"},
}};

// Results of the calls.
inline constexpr std::int32_t Success = 0;
inline constexpr std::int32_t FileNotFound = 2;
inline constexpr std::int32_t AccessDenied = 5;
inline constexpr std::int32_t MoreData = 234;

class Registry {
public:
    virtual ~Registry() = default;

    // Opens `subKey` under `root`; fills `key` and returns Success, or
    // returns an error and leaves `key` at 0.
    virtual std::int32_t RegOpenKeyExA(std::int32_t root, const char *subKey, std::uint32_t options,
                                       std::uint32_t access, Handle &key) = 0;
    // Copies the value's bytes into `data`, which holds `size` bytes, and
    // sets `type` and `size` (the bytes stored; for text with its
    // terminating zero when it was stored with one). MoreData when the value
    // does not fit, FileNotFound when there is none.
    virtual std::int32_t RegQueryValueExA(Handle key, const char *valueName, std::uint32_t &type, unsigned char *data,
                                          std::uint32_t &size) = 0;
    virtual void RegCloseKey(Handle key) = 0;

    // Replaces the %NAME% references of a type-2 value by the environment's
    // values; unknown names stay as written.
    [[nodiscard]] virtual std::string expandReferences(const std::string &text) const;
};

// The registry in use: the system's own until a test installs another.
Registry &registry();
// Windows: the real registry. Elsewhere: the built-in table.
Registry &systemRegistry();

// One value as the About window reads it as text.
struct KeyValue {
    enum class Outcome {
        Read,          // `text` holds the value
        NotRead,       // no key, no value, too long, or not a value that reads as text
        NumberTooWide, // a number of more than 32 bits: the reader's caller meets run-time error 6
    };
    Outcome outcome = Outcome::NotRead;
    std::string text; // in the system's 8-bit encoding; empty unless read
};

// Opens `keyName` under `root` with read rights, reads `valueName` through a
// 1024-byte buffer and closes the key again. Text (type 1) comes back without
// its terminating zero, type 2 with its references expanded, and a 32-bit
// number (type 4) in decimal.
[[nodiscard]] KeyValue readKeyValue(Registry &registry, std::int32_t root, const char *keyName, const char *valueName);

// Expands %NAME% references through `lookup`, which has no value for an
// unknown name.
[[nodiscard]] std::string
expandReferences(const std::string &text, const std::function<std::optional<std::string>(const std::string &)> &lookup);

// Where a test installs another registry; none, the system's own serves.
Registry *&installedRegistry();

} // namespace reg
