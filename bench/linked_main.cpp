// The program as it would be with the web engine linked in at build time:
// the same entry, but the web module's code is part of the executable and
// serves every browser window from the start. Start-up and memory of the real
// program, which loads the module on first use, are compared with it.
#include "browser/webbrowser.h"
#include "resourcenames.h"
#include "shell/frmsplash.h"

#include <QCoreApplication>

// The web module's entry point, compiled into this executable.
extern "C" QObject *qt_plugin_instance();

int main(int argc, char *argv[])
{
    auto *module = qobject_cast<WebModule *>(qt_plugin_instance());
    installedWebBrowserFactory() = module;
    return rt::runProgram(argc, argv, resourcenames::programIcon, [] { rt::form<frmSplash>().setVisible(true); });
}
