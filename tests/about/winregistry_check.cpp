// Built with a Windows cross compiler by the test suite, so that the registry
// back-end the About window uses on Windows compiles and links against the
// system's library on every change. It is never run here.
#include "windowsregistry.h"

#include <cstdio>

int main()
{
    reg::Registry &registry = reg::systemRegistry();
    reg::Handle key = 0;
    if (registry.RegOpenKeyExA(reg::HKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0, reg::KeyRead, key)
        == reg::Success) {
        unsigned char data[1024];
        std::uint32_t type = 0;
        std::uint32_t size = sizeof data;
        if (registry.RegQueryValueExA(key, "PATH", type, data, size) == reg::Success)
            std::printf("%u bytes of type %u\n", static_cast<unsigned>(size), static_cast<unsigned>(type));
        registry.RegCloseKey(key);
    }
    std::puts(registry.expandReferences("%SystemRoot%").c_str());
    return 0;
}
