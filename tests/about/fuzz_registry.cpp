// libFuzzer entry: random registry contents through the About window's
// reader and launcher (registryharness.h). Built by scripts/fuzz.sh.
#include "registryharness.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
RegistryHarness *harness = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_registry";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv); // kept for the life of the process
    harness = new RegistryHarness;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString broken = harness->run(data, size);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "registry reader: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
