#pragma once

#include <QObject>

class WebBrowser;

// A page view's events as signals, for its window to connect like any
// control's. The view may come from the web module, which uses none of the
// program's code: it reports through its interface, and this object, made
// on the program's side, raises the signals. It belongs to the view's
// widget and goes with it.
class WebBrowserEvents : public QObject {
    Q_OBJECT
public:
    explicit WebBrowserEvents(WebBrowser &browser);

signals:
    // Each time a load ends, however it ended.
    void DownloadComplete();
};
