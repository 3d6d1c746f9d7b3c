#include "functions.h"

#include "app.h"
#include "runtimeerror.h"
#include "services.h"

#include <algorithm>
#include <limits>

namespace rt {

QString systemPath(const QString &path)
{
#ifdef _WIN32
    return path;
#else
    QString p = path;
    return p.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

void Shell(const QString &path, int windowStyle)
{
    // 0-4 and 6 are the styles there are; the program opens its own window
    // as it sees fit, so only the range is checked.
    if (windowStyle < 0 || windowStyle > 6 || windowStyle == 5)
        raise(err::InvalidProcedureCall);
    if (path.isEmpty() || !services().launcher->start(systemPath(path)))
        raise(err::FileNotFound);
}

QString Dir(const QString &path)
{
    if (path.isEmpty() || !services().files->isFile(systemPath(path)))
        return {};
    return path;
}

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

QString Format(const QString &text)
{
    if (!text.startsWith(QLatin1String("&h"), Qt::CaseInsensitive))
        return text;
    const QStringView digits = QStringView(text).mid(2);
    if (digits.isEmpty() || std::any_of(digits.begin(), digits.end(), [](QChar c) { return hexDigit(c) < 0; }))
        return text; // not a number after all ("&hello")
    quint64 value = 0;
    for (const QChar c : digits) {
        value = value * 16 + static_cast<quint64>(hexDigit(c));
        if (value > std::numeric_limits<quint32>::max())
            raise(err::Overflow);
    }
    return QString::number(value);
}

void MsgBox(const QString &text)
{
    services().messages->message(text, App().Title);
}

} // namespace rt
