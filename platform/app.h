#pragma once

#include <QString>

namespace rt {

// The application object: the program's title and version, as its windows
// show them. The values come from the build (the CMake project version).
struct AppInfo {
    QString Title;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};

const AppInfo &App();

} // namespace rt
