#pragma once

// The launcher's Windows half, free of Qt so that it also builds with a bare
// cross compiler and can be run on its own.
#ifdef _WIN32

#include <string>

namespace rt {

// Starts the program file `path` in a window of its own, with no arguments,
// and returns at once without waiting for it. `path` is the program, never a
// command line: blanks and characters such as ';' belong to the file name.
// False when the program cannot be started.
[[nodiscard]] bool startWindowsProgram(const std::wstring &path);

} // namespace rt

#endif
