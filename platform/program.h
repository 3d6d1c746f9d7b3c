#pragma once

#include <QStringList>

#include <functional>

namespace rt {

// Starts the forms runtime: the application object, the design fonts and the
// program icon (its images' file or resource paths), then `startUp` (which loads and
// shows the start-up form) inside the dispatcher, then the event loop until
// no form is loaded. Shader caches (Qt's and the GL drivers') stay off, so
// that the program leaves no file behind.
//
// Without a display to show windows on, it says so in one line on stderr and
// returns 1 instead of starting: neither a missing display nor one that
// cannot be reached ends in a crash or a hang. A Wayland display that goes
// away while the program runs ends it the same way, with exit status 1.
int runProgram(int argc, char *argv[], const QStringList &iconImages, const std::function<void()> &startUp);

// The program icon, each image at its own size, for every window.
void setProgramIcon(const QStringList &iconImages);

} // namespace rt
