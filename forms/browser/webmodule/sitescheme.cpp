#include "sitescheme.h"

#include "address.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

void SiteScheme::registerScheme()
{
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local: web pages cannot link to or load from it; secure: no warnings
    // about insecure content on its pages.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void SiteScheme::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    if (url.host() != QLatin1String(host)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    if (isRefusalUrl(url) || isStoppedUrl(url)) {
        auto *body = new QBuffer(job);
        body->setData(isRefusalUrl(url) ? refusalPage(url) : stoppedPage(url));
        body->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html"), body);
        return;
    }
    // The engine has already resolved "." and ".." in the path.
    QString path = url.path();
    if (path.isEmpty() || path == QLatin1String("/"))
        path = QStringLiteral("/index.html");
    const QFileInfo page(QStringLiteral(":/site") + path);
    if (path.contains(QLatin1String("/..")) || !page.isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }

    auto *body = new QBuffer(job);
    QFile file(page.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    body->setData(file.readAll());
    body->open(QIODevice::ReadOnly);

    const QString suffix = page.suffix();
    const QByteArray type = suffix == QLatin1String("html")  ? QByteArrayLiteral("text/html")
                            : suffix == QLatin1String("css") ? QByteArrayLiteral("text/css")
                            : suffix == QLatin1String("png") ? QByteArrayLiteral("image/png")
                                                             : QByteArrayLiteral("application/octet-stream");
    job->reply(type, body);
}
