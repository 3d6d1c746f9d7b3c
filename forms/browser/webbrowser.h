#pragma once

#include <QString>
#include <QStringList>
#include <QtPlugin>

#include <functional>

class QWidget;

// The page view of the site browser, as the browser window sees it. The real
// one lives in the web module (webmodule/), which alone links the web engine
// and is loaded when the first browser window is made; tests use a double.
//
// An implementation is its own view widget: the window's widget tree owns it.
// Everything runs on the user-interface thread.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;

    [[nodiscard]] virtual QWidget *view() = 0;

    // Starts loading and returns true at once. For text that names no page it
    // opens (empty, a script, not an address, another program's address) it
    // loads nothing and returns false; a view that can shows a page of its own
    // saying why instead, and raises DownloadComplete once that shows.
    virtual bool Navigate(const QString &address) = 0;
    // One step in the view's own history: run-time error 440 when there is none.
    void GoBack()
    {
        if (!back())
            raiseNoStep();
    }
    void GoForward()
    {
        if (!forward())
            raiseNoStep();
    }
    // The web layer's own start and search pages, never the program's site.
    virtual void GoHome() = 0;
    virtual void GoSearch() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    // True from a request until its load has ended.
    [[nodiscard]] virtual bool Busy() const = 0;
    // The title of the page shown.
    [[nodiscard]] virtual QString LocationName() const = 0;

    // DownloadComplete: called each time a load ends, however it ended. The
    // window connects to it as a signal (webbrowserevents.h).
    void setDownloadComplete(std::function<void()> handler) { m_downloadComplete = std::move(handler); }

protected:
    // False, and no move, when there is no such step.
    virtual bool back() = 0;
    virtual bool forward() = 0;
    void downloadComplete() const
    {
        if (m_downloadComplete)
            m_downloadComplete();
    }

private:
    // In the program, never in the module.
    [[noreturn]] static void raiseNoStep();

    std::function<void()> m_downloadComplete;
};

// Makes the page view of each new browser window, as a child of parent.
class WebBrowserFactory {
public:
    virtual ~WebBrowserFactory() = default;
    [[nodiscard]] virtual WebBrowser *create(QWidget *parent) = 0;
};

// What the web module offers the program.
using WebModule = WebBrowserFactory;
#define TEMPORIA_WEBMODULE_IID "org.temporia.WebModule/1"
Q_DECLARE_INTERFACE(WebModule, TEMPORIA_WEBMODULE_IID)

// Loads the web module from the first of these folders that holds it, once
// per run, and never unloads it. When no folder does, each window gets a view
// that says so and browses nowhere.
class WebModuleLoader final : public WebBrowserFactory {
public:
    explicit WebModuleLoader(QStringList folders);
    [[nodiscard]] WebBrowser *create(QWidget *parent) override;

    // Beside the program (the build tree), then where it is installed.
    [[nodiscard]] static QStringList defaultFolders();
    // Empty once the module is loaded; else why it could not be.
    [[nodiscard]] const QString &error() const { return m_error; }

private:
    QStringList m_folders;
    WebModule *m_module = nullptr;
    bool m_tried = false;
    QString m_error;
};

// The factory in use: the module loader until something else is installed.
WebBrowserFactory &webBrowserFactory();

// Where something else is installed: a test's double, or the module linked in.
WebBrowserFactory *&installedWebBrowserFactory();
