#include "engineoutput.h"

#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(pageConsole, "js", QtFatalMsg)

namespace {

// The engine's categories that only inform: its start-up report (two dozen
// lines of graphics and command-line settings) and where it found its files.
const QStringList &informingCategories()
{
    static const QStringList categories{QStringLiteral("qt.webenginecontext"),
                                        QStringLiteral("qt.webengine.libraryinfo")};
    return categories;
}

// As Qt matches a rule's category: "*" alone, or at the start, the end or both.
bool matches(QStringView pattern, const QString &category)
{
    const bool anyStart = pattern.startsWith(u'*');
    const bool anyEnd = pattern.size() > 1 && pattern.endsWith(u'*');
    const QStringView core = pattern.mid(anyStart ? 1 : 0, pattern.size() - (anyStart ? 1 : 0) - (anyEnd ? 1 : 0));
    if (anyStart && anyEnd)
        return category.contains(core);
    if (anyStart)
        return category.endsWith(core);
    if (anyEnd)
        return category.startsWith(core);
    return category == core;
}

// Kept from OpenGL, the engine warns that it found no graphics backend when
// it first draws a page: that is what it was meant to find.
QtMessageHandler previousHandler = nullptr;

void withoutBackendNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("No suitable graphics backend found")))
        return;
    previousHandler(type, context, message);
}

QString fileText(const QString &path)
{
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                                               : QString();
}

} // namespace

bool rulesSpeakOf(const QString &ini, const QStringList &categories)
{
    bool inRules = false;
    for (QStringView line : QStringView(ini).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inRules = line.mid(1, line.size() - 2).trimmed().compare(u"Rules", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inRules || line.startsWith(u';') || equals < 0)
            continue;
        QStringView pattern = line.left(equals).trimmed();
        // A rule for one level speaks of the information messages only if
        // that level is "info"; a rule without a level, of every level.
        for (QStringView level : {u".debug", u".warning", u".critical"}) {
            if (pattern.endsWith(level))
                pattern = {};
        }
        if (pattern.endsWith(u".info"))
            pattern.chop(5);
        for (const QString &category : categories) {
            if (!pattern.isEmpty() && matches(pattern, category))
                return true;
        }
    }
    return false;
}

void quietEngineOutput(bool software)
{
    if (software)
        previousHandler = qInstallMessageHandler(withoutBackendNotice);

    // Rules set here rank above the qtlogging.ini files and below
    // QT_LOGGING_CONF and QT_LOGGING_RULES. So the program says nothing of
    // the engine's reports only where no file of the user or the system's Qt
    // does.
    const QStringList files{
        QLibraryInfo::path(QLibraryInfo::DataPath) + QStringLiteral("/qtlogging.ini"),
        QStandardPaths::locate(QStandardPaths::GenericConfigLocation, QStringLiteral("QtProject/qtlogging.ini"))};
    for (const QString &file : files) {
        if (rulesSpeakOf(fileText(file), informingCategories()))
            return;
    }
    QStringList rules;
    for (const QString &category : informingCategories())
        rules << category + QStringLiteral(".info=false");
    // The program's only rules: none are set anywhere else.
    QLoggingCategory::setFilterRules(rules.join(QLatin1Char('\n')));
}
