#pragma once

#include "webbrowser.h"

#include <QTimer>
#include <QUrl>
#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;
class SiteScheme;

// The page view on the web engine. Each view has a profile of its own, off
// the record: cookies, cache and history live in memory and go with it.
class EngineBrowser final : public QWidget, public WebBrowser {
    Q_OBJECT
public:
    static constexpr char homePage[] = "about:blank";
    static constexpr char searchPage[] = "https://duckduckgo.com/";

    explicit EngineBrowser(QWidget *parent);
    ~EngineBrowser() override;

    QWidget *view() override { return this; }
    bool Navigate(const QString &address) override;
    void GoHome() override;
    void GoSearch() override;
    void Stop() override;
    void Refresh() override;
    [[nodiscard]] bool Busy() const override;
    [[nodiscard]] QString LocationName() const override;

protected:
    bool back() override;
    bool forward() override;

private:
    void load(const QUrl &url);
    void requested();

    SiteScheme *m_site;
    QWebEngineProfile *m_profile;
    QWebEngineView *m_view;
    // The engine reports a load only some time after it was asked for one;
    // until then the request counts as busy. A request the engine drops
    // without a word stops counting after a while.
    bool m_requested = false;
    QTimer m_giveUp;
    // The page whose renderer ended last.
    QUrl m_stopped;
};
