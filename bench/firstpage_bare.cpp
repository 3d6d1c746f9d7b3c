// The bare baseline for the browser: a QWebEngineView in a window of the
// browser's size loading the same home page from the same resources, in a
// fresh process: prints the milliseconds from showing the view to the end of
// the load, and since the process started.
#include "sitescheme.h"

#include "sincestart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    SiteScheme::registerScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();
    QWebEngineProfile profile; // off the record, as the browser's
    SiteScheme scheme;
    profile.installUrlSchemeHandler(SiteScheme::name, &scheme);
    QWebEngineView view;
    auto *page = new QWebEnginePage(&profile, &view);
    view.setPage(page);
    view.resize(436, 342);
    view.show();
    QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&] {
        std::printf("%.1f %.1f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6, sinceStart());
        std::fflush(stdout);
        _exit(0);
    });
    view.load(QUrl(QStringLiteral("temporia://site/index.html")));
    QTimer::singleShot(60000, &app, [] { _exit(1); });
    return QApplication::exec();
}
