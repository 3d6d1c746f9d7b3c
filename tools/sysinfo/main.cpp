#include "sysinfowindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("System Information"));
    sysinfo::SysInfoWindow window(sysinfo::gatherFacts());
    window.show();
    return QApplication::exec();
}
