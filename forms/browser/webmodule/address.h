#pragma once

#include <QByteArray>
#include <QUrl>

// What the text of the address box asks the view to load, and when it asks
// for nothing the view will open, the page of the program's own that says why.

enum class Refusal {
    None,
    Empty,        // no text, or blanks only
    Script,       // javascript: would run in the page shown
    NotAnAddress, // "hello world", "http://[::1", a port out of range
    OtherScheme,  // mailto: and the like, which only another program opens
};

struct Address {
    QUrl url; // what to load; empty when refused
    Refusal refusal = Refusal::None;
};

// An address without a scheme is a web address ("example.com" is
// http://example.com); one written out in full is taken as written or not at
// all.
[[nodiscard]] Address readAddress(const QString &text);

// Where the view shows why the typed text is not opened, on the program's
// own site; and that page, which repeats the text and runs nothing.
[[nodiscard]] QUrl refusalUrl(const QString &typed);
[[nodiscard]] bool isRefusalUrl(const QUrl &url);
[[nodiscard]] QByteArray refusalPage(const QUrl &url);

// Where the view says that the page it showed stopped (its renderer ended),
// naming the page's address so that Refresh can load it again.
[[nodiscard]] QUrl stoppedUrl(const QUrl &page);
[[nodiscard]] bool isStoppedUrl(const QUrl &url);
[[nodiscard]] QUrl stoppedAddress(const QUrl &url);
[[nodiscard]] QByteArray stoppedPage(const QUrl &url);
