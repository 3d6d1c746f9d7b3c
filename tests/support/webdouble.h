// A page view for the browser window's tests: it loads nothing, keeps a
// history of addresses and stays busy with each request until the test
// finishes it, as a slow network would. Addresses the test lists as refused
// it does not open: it shows its own page saying why, titled refusalTitle,
// which loads like any page.
#pragma once

#include "browser/webbrowser.h"
#include "doubles.h"
#include "printdouble.h"
#include "standin.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace testing {

class FakeWebBrowser final : public QWidget, public WebBrowser {
public:
    static inline const QString homePage = QStringLiteral("about:home-of-the-web-layer");
    static inline const QString searchPage = QStringLiteral("https://search.invalid/");
    static inline const QString refusalTitle = QStringLiteral("Address not opened");

    using QWidget::QWidget;

    QStringList requests; // every address asked for, in order, back and forward included
    QStringList refused;  // addresses it does not open
    QStringList history;
    int current = -1;
    bool busy = false;
    int stops = 0;
    QHash<QString, QString> titles; // address -> page title; else the address is the name

    QWidget *view() override { return this; }
    bool Navigate(const QString &address) override
    {
        if (refused.contains(address)) {
            requests << address;
            enter(refusalTitle);
            return false;
        }
        open(address);
        return true;
    }
    void GoHome() override { open(homePage); }
    void GoSearch() override { open(searchPage); }
    void Stop() override
    {
        ++stops;
        if (busy)
            finishLoad();
    }
    void Refresh() override
    {
        if (current >= 0)
            request(history.at(current));
    }
    bool Busy() const override { return busy; }
    QString LocationName() const override
    {
        const QString address = current >= 0 ? history.at(current) : QString();
        return titles.value(address, address);
    }

    // The load in progress ends.
    void finishLoad()
    {
        busy = false;
        downloadComplete();
    }

protected:
    bool back() override { return step(-1); }
    bool forward() override { return step(+1); }

private:
    void request(const QString &address)
    {
        requests << address;
        busy = true;
    }
    void enter(const QString &page)
    {
        history = history.mid(0, current + 1);
        history << page;
        ++current;
        busy = true;
    }
    void open(const QString &address)
    {
        enter(address);
        request(address);
    }
    bool step(int by)
    {
        const int to = current + by;
        if (to < 0 || to >= history.size())
            return false;
        current = to;
        request(history.at(current));
        return true;
    }
};

// Makes fake views and keeps track of them; install in installedWebBrowserFactory().
class FakeWeb final : public WebBrowserFactory {
public:
    std::vector<QPointer<FakeWebBrowser>> made;

    WebBrowser *create(QWidget *parent) override
    {
        auto *view = new FakeWebBrowser(parent);
        made.emplace_back(view);
        return view;
    }
    [[nodiscard]] FakeWebBrowser *last() const { return made.empty() ? nullptr : made.back().data(); }
};

} // namespace testing

namespace testing {

// Every seam of the program doubled, the web view and the print dialogs
// included: for tests of windows whose closing opens the site browser.
class ProgramDoubles : public Doubles {
public:
    FakeWeb web;
    FakePrintDialogs printing;

    ProgramDoubles()
        : m_webScope(installedWebBrowserFactory(), &web)
        , m_printScope(installedPrintDialogs(), &printing)
    {
    }
    ~ProgramDoubles()
    {
        // The browser windows go before the fake views' factory.
        rt::Forms::destroyAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    StandIn<WebBrowserFactory *> m_webScope;
    StandIn<PrintDialogs *> m_printScope;
};

} // namespace testing
