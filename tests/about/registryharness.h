// One input of bytes, read as registry contents (types, sizes of 0 to 2,048
// bytes, the bytes themselves, which keys exist, what the user may open, and
// whether the program's file exists and starts), fed through the registry
// double into the About window's GetKeyValue and StartSysInfo. Shared by the
// fuzzer and by the test that replays the inputs the fuzzer kept.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

class RegistryHarness {
public:
    // Needs a QApplication; loads the About window once for every input.
    RegistryHarness();
    ~RegistryHarness();
    RegistryHarness(const RegistryHarness &) = delete;
    RegistryHarness &operator=(const RegistryHarness &) = delete;

    // What went wrong with this input, or the empty text when it was handled soundly.
    [[nodiscard]] QString run(const std::uint8_t *data, std::size_t size);

private:
    struct State;
    std::unique_ptr<State> m;
};
