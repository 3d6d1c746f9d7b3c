// A registry that holds whatever a test puts in it - any key, value name,
// type and bytes - and counts the keys opened and closed.
#pragma once

#include "about/registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace testing {

class FakeRegistry final : public reg::Registry {
public:
    struct Value {
        std::uint32_t type = reg::RegSz;
        std::string bytes; // exactly as stored, terminating zero included
    };

    // Rights the user is granted: read only, unless a test says otherwise.
    std::uint32_t grantedAccess = reg::KeyRead;
    // What %NAME% references expand to; nothing else is known.
    std::map<std::string, std::string> environment;

    int opens = 0;     // keys opened successfully
    int closes = 0;    // keys closed
    int badCloses = 0; // closes of a handle that was not open
    std::vector<std::uint32_t> accessAsked;

    void set(const std::string &key, const std::string &name, std::uint32_t type, std::string bytes)
    {
        m_keys[lower(key)][lower(name)] = {type, std::move(bytes)};
    }
    // A text value as the system stores it, with its terminating zero.
    void setText(const std::string &key, const std::string &name, const std::string &text)
    {
        set(key, name, reg::RegSz, text + '\0');
    }
    void addKey(const std::string &key) { m_keys[lower(key)]; }
    [[nodiscard]] std::size_t openKeys() const { return m_open.size(); }

    std::int32_t RegOpenKeyExA(std::int32_t root, const char *subKey, std::uint32_t options, std::uint32_t access,
                               reg::Handle &key) override
    {
        accessAsked.push_back(access);
        key = 0;
        if (root != reg::HKeyLocalMachine || options != 0 || !m_keys.count(lower(subKey)))
            return reg::FileNotFound;
        if ((access & ~grantedAccess) != 0)
            return reg::AccessDenied;
        key = m_nextHandle++;
        m_open[key] = lower(subKey);
        ++opens;
        return reg::Success;
    }

    std::int32_t RegQueryValueExA(reg::Handle key, const char *valueName, std::uint32_t &type, unsigned char *data,
                                  std::uint32_t &size) override
    {
        const auto open = m_open.find(key);
        if (open == m_open.end())
            return 6; // invalid handle
        const auto &values = m_keys.at(open->second);
        const auto value = values.find(lower(valueName));
        if (value == values.end())
            return reg::FileNotFound;
        type = value->second.type;
        const auto stored = static_cast<std::uint32_t>(value->second.bytes.size());
        if (stored > size) {
            size = stored;
            return reg::MoreData;
        }
        // The value's bytes as stored, its terminating zero among them when it has one.
        std::memcpy(data, value->second.bytes.data(), stored); // NOLINT(bugprone-not-null-terminated-result)
        size = stored;
        return reg::Success;
    }

    void RegCloseKey(reg::Handle key) override
    {
        if (m_open.erase(key))
            ++closes;
        else
            ++badCloses;
    }

    std::string expandReferences(const std::string &text) const override
    {
        return reg::expandReferences(text, [this](const std::string &name) -> std::optional<std::string> {
            const auto it = environment.find(name);
            return it == environment.end() ? std::nullopt : std::optional<std::string>(it->second);
        });
    }

private:
    static std::string lower(std::string s)
    {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }

    std::map<std::string, std::map<std::string, Value>> m_keys;
    std::map<reg::Handle, std::string> m_open;
    reg::Handle m_nextHandle = 0x1000;
};

} // namespace testing
