#include "address.h"

QUrl addressToUrl(const QString &text)
{
    // The engine drops tabs and line breaks anywhere in a URL and blanks and
    // control characters at its ends; so must the script check below.
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
    address = address.mid(first, last - first);
    if (address.isEmpty())
        return {};

    // A URL written out in full is taken as written, or not at all: guessing
    // would turn "http://[::1" into a request for a host called "http".
    const bool written = address.contains(QLatin1String("://"));
    const QUrl url = written ? QUrl(address) : QUrl::fromUserInput(address);
    if (!url.isValid() || url.scheme().compare(QLatin1String("javascript"), Qt::CaseInsensitive) == 0)
        return {};
    return url;
}
