// The names of the program's own pictures in its resources.
#pragma once

#include <QString>
#include <QStringList>

namespace resourcenames {

// The logo the splash and About windows show (32 x 32, 16 colours).
inline const QString logo = QStringLiteral(":/icons/logo.xpm");
// The program icon's images, each at its own size.
inline const QStringList programIcon{logo, QStringLiteral(":/icons/temporia-16.xpm")};
// The main frame's four background photographs, 0 to 3.
inline QString photograph(int index)
{
    return QStringLiteral(":/photos/photo%1.bmp").arg(index);
}

} // namespace resourcenames
