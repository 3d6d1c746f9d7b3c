#include "webbrowserevents.h"

#include "webbrowser.h"

#include <QWidget>

WebBrowserEvents::WebBrowserEvents(WebBrowser &browser)
    : QObject(browser.view())
{
    browser.setDownloadComplete([this] { emit DownloadComplete(); });
}
