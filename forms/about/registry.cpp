#include "registry.h"

#include <cstdlib>

namespace reg {
namespace {

Registry *&installed()
{
    static Registry *current = nullptr;
    return current;
}

} // namespace

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

ScopedRegistry::ScopedRegistry(Registry &replacement)
    : m_saved(installed())
{
    installed() = &replacement;
}

ScopedRegistry::~ScopedRegistry()
{
    installed() = m_saved;
}

} // namespace reg
