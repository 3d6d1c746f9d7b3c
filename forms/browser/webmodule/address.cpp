#include "address.h"

#include <QUrlQuery>

namespace {

// The schemes the view opens itself. Any other would be handed to another
// program, which the browser never does.
constexpr const char *openedSchemes[] = {"http", "https", "file", "about", "data", "temporia"};

constexpr char refusalHost[] = "site";
constexpr char refusalPath[] = "/cannot-open.html";
constexpr char typedItem[] = "typed";
constexpr char stoppedPath[] = "/page-stopped.html";
constexpr char addressItem[] = "address";

// The engine drops tabs and line breaks anywhere in a URL and blanks and
// control characters at its ends; so must the checks here.
QString cleaned(const QString &text)
{
    QString address;
    address.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            address.append(c);
    }
    qsizetype first = 0;
    qsizetype last = address.size();
    while (first < last && address.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && address.at(last - 1).unicode() <= 0x20)
        --last;
    return address.mid(first, last - first);
}

struct Explanation {
    QString title;
    QString why;
};

Explanation explain(const QString &typed)
{
    switch (readAddress(typed).refusal) {
    case Refusal::Empty:
        return {QStringLiteral("No address to open"),
                QStringLiteral("The address box was empty. Type an address such as https://www.example.org/ "
                               "and press Enter.")};
    case Refusal::Script:
        return {QStringLiteral("Scripts are not run"),
                QStringLiteral("An address that starts with javascript: is a script to run in the page shown. "
                               "The browser runs no script typed in the address box.")};
    case Refusal::OtherScheme:
        return {QStringLiteral("Not opened here"),
                QStringLiteral("Addresses that start with %1: belong to other programs. This browser opens web "
                               "pages (http: and https:), files (file:) and its own pages (temporia:), and hands "
                               "nothing to another program.")
                    .arg(QUrl(cleaned(typed)).scheme().toHtmlEscaped())};
    case Refusal::None: // this page asked for by hand, with an address that opens
        return {QStringLiteral("Nothing refused"),
                QStringLiteral("This address can be opened: type it in the address box and press Enter.")};
    case Refusal::NotAnAddress:
        break;
    }
    return {QStringLiteral("Not an address"),
            QStringLiteral("This is not written as an address. A web address has no spaces and looks like "
                           "www.example.org or https://www.example.org/page.html.")};
}

// A page of the program's own site around the given main part. Its rules
// forbid any script to run.
QByteArray sitePage(const QString &title, const QString &main)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src 'none'; object-src 'none'\">\n"
               "<title>TEMPORIA - %1</title>\n<link rel=\"stylesheet\" href=\"site.css\">\n</head>\n<body>\n"
               "<header><h1>TEMPORIA</h1><p>A perpetual calendar for the years 0 to 9999</p></header>\n"
               "<nav><a href=\"index.html\">Welcome</a>\n<a href=\"calendar.html\">Using the calendar</a>\n"
               "<a href=\"leap.html\">The leap-year rule</a>\n<a href=\"keys.html\">Keyboard keys</a></nav>\n"
               "<main>\n%2</main>\n</body>\n</html>\n")
        .arg(title, main)
        .toUtf8();
}

} // namespace

Address readAddress(const QString &text)
{
    const QString address = cleaned(text);
    if (address.isEmpty())
        return {{}, Refusal::Empty};

    // A URL written out in full is taken as written, or not at all: guessing
    // would turn "http://[::1" into a request for a host called "http".
    const bool written = address.contains(QLatin1String("://"));
    const QUrl url = written ? QUrl(address) : QUrl::fromUserInput(address);
    if (!url.isValid())
        return {{}, Refusal::NotAnAddress};
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("javascript"))
        return {{}, Refusal::Script};
    for (const char *opened : openedSchemes) {
        if (scheme == QLatin1String(opened))
            return {url, Refusal::None};
    }
    return {{}, Refusal::OtherScheme};
}

QUrl refusalUrl(const QString &typed)
{
    QUrl url;
    url.setScheme(QStringLiteral("temporia"));
    url.setHost(QLatin1String(refusalHost));
    url.setPath(QLatin1String(refusalPath));
    // Every character but the unreserved ones encoded, so that the text comes
    // back exactly as typed, "&", "#" and "%" included.
    url.setQuery(QLatin1String(typedItem) + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(typed)));
    return url;
}

bool isRefusalUrl(const QUrl &url)
{
    return url.host() == QLatin1String(refusalHost) && url.path() == QLatin1String(refusalPath);
}

QByteArray refusalPage(const QUrl &url)
{
    const QString typed = QUrlQuery(url).queryItemValue(QLatin1String(typedItem), QUrl::FullyDecoded);
    const Explanation e = explain(typed);
    const QString shown = typed.isEmpty() ? QStringLiteral("(nothing)") : typed.toHtmlEscaped();
    // The typed text is only ever shown, escaped; and should it ever slip
    // through, the page's own rules forbid it to run.
    return sitePage(e.title,
                    QStringLiteral("<h2>This address cannot be opened</h2>\n"
                                   "<p>Typed in the address box: <code class=\"typed\">%1</code></p>\n<p>%2</p>\n"
                                   "<p>Nothing was run, and nothing was handed to another program. Correct the "
                                   "address and press Enter again, or go back to the <a href=\"index.html\">welcome "
                                   "page</a>.</p>\n")
                        .arg(shown, e.why));
}

QUrl stoppedUrl(const QUrl &page)
{
    QUrl url;
    url.setScheme(QStringLiteral("temporia"));
    url.setHost(QLatin1String(refusalHost));
    url.setPath(QLatin1String(stoppedPath));
    url.setQuery(QLatin1String(addressItem) + QLatin1Char('=')
                 + QString::fromLatin1(QUrl::toPercentEncoding(page.toString(QUrl::FullyEncoded))));
    return url;
}

bool isStoppedUrl(const QUrl &url)
{
    return url.host() == QLatin1String(refusalHost) && url.path() == QLatin1String(stoppedPath);
}

QUrl stoppedAddress(const QUrl &url)
{
    return QUrl(QUrlQuery(url).queryItemValue(QLatin1String(addressItem), QUrl::FullyDecoded), QUrl::StrictMode);
}

QByteArray stoppedPage(const QUrl &url)
{
    const QString address = stoppedAddress(url).toString();
    const QString shown = address.isEmpty() ? QStringLiteral("(no address)") : address.toHtmlEscaped();
    return sitePage(QStringLiteral("Page stopped"),
                    QStringLiteral("<h2>This page stopped</h2>\n"
                                   "<p>The page <code class=\"typed\">%1</code> stopped working and is no longer "
                                   "shown. The rest of the program carries on.</p>\n"
                                   "<p>Press <b>Refresh</b> to load it again, or go to the <a href=\"index.html\">"
                                   "welcome page</a>.</p>\n")
                        .arg(shown));
}
