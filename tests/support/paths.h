// Paths as the program meets them on this system.
#pragma once

#include <QString>
#include <QStringList>

namespace testing {

// What a path written the Windows way becomes on this system, worked out
// here independently of the runtime.
inline QString here(QString path)
{
#ifndef _WIN32
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    return path;
}

inline QStringList here(const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths)
        out << here(p);
    return out;
}

} // namespace testing
