#include "preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

namespace rt {
namespace {

// The version of the file's layout this program writes and understands.
constexpr int fileVersion = 1;

const QString versionKey = QStringLiteral("version");
const QString weekNumbersKey = QStringLiteral("calendar/weekNumbers");

// "true" and "false" as QSettings writes them; anything else is no answer.
std::optional<bool> boolean(const QVariant &value)
{
    const QString text = value.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

} // namespace

Preferences::Preferences(QString file)
    : m_file(std::move(file))
{
}

QString Preferences::standardFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/temporia/temporia.conf");
}

bool Preferences::weekNumbers() const
{
    if (m_weekNumbersThisRun)
        return *m_weekNumbersThisRun;
    load();
    return m_weekNumbers;
}

void Preferences::setWeekNumbers(bool on)
{
    load();
    m_weekNumbersThisRun.reset();
    if (on == m_weekNumbers)
        return;
    m_weekNumbers = on;
    save();
}

void Preferences::setWeekNumbersForThisRun(bool on)
{
    m_weekNumbersThisRun = on;
}

void Preferences::complain(const QString &problem) const
{
    m_problem = problem;
    std::fprintf(stderr, "temporia: %s\n", qPrintable(problem));
    std::fflush(stderr);
}

void Preferences::load() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (m_file.isEmpty() || !QFileInfo::exists(m_file))
        return;
    const QSettings settings(m_file, QSettings::IniFormat);
    const QString using_defaults = QStringLiteral("using the default preferences");
    if (settings.status() != QSettings::NoError || !QFileInfo(m_file).isReadable()) {
        complain(QStringLiteral("cannot read %1; %2").arg(m_file, using_defaults));
        return;
    }
    bool isNumber = false;
    const int version = settings.value(versionKey).toInt(&isNumber);
    if (!isNumber || version < 1) {
        complain(QStringLiteral("%1 holds no preferences of this program; %2").arg(m_file, using_defaults));
        return;
    }
    if (version > fileVersion) {
        complain(QStringLiteral("%1 was written by a later version; %2").arg(m_file, using_defaults));
        return;
    }
    if (settings.contains(weekNumbersKey)) {
        const std::optional<bool> on = boolean(settings.value(weekNumbersKey));
        if (!on) {
            complain(QStringLiteral("%1: %2 is not true or false; using the default").arg(m_file, weekNumbersKey));
            return;
        }
        m_weekNumbers = *on;
    }
}

void Preferences::save()
{
    if (m_file.isEmpty())
        return;
    const QString folder = QFileInfo(m_file).absolutePath();
    // QSettings writes through a new file that replaces the old one once
    // whole (it only syncs where it can do so atomically).
    QSettings settings(m_file, QSettings::IniFormat);
    settings.setAtomicSyncRequired(true);
    settings.clear();
    settings.setValue(versionKey, fileVersion);
    settings.setValue(weekNumbersKey, m_weekNumbers);
    if (!QDir().mkpath(folder)) {
        complain(
            QStringLiteral("cannot make %1 to keep the preferences in; the change holds for this run").arg(folder));
        return;
    }
    // A program killed while it wrote may leave the writers' lock behind,
    // still empty; QSettings would wait half a minute for it to go stale.
    // Here it is taken over after a second.
    QLockFile lock(m_file + QStringLiteral(".lock"));
    lock.setStaleLockTime(1000);
    if (lock.tryLock(2000))
        lock.unlock();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        complain(QStringLiteral("cannot write %1; the change holds for this run").arg(m_file));
}

} // namespace rt
