#pragma once

#include <QWebEngineUrlSchemeHandler>

// The program's own site: the pages compiled into the program under :/site,
// served at temporia://site/ so that they work without a network, and the
// page that says why an address is not opened (address.h). Nothing else of
// the program's resources can be reached this way.
class SiteScheme final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static constexpr char name[] = "temporia";
    static constexpr char host[] = "site";

    // Once per run, before the engine starts.
    static void registerScheme();

    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *job) override;
};
