#include "facts.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSet>
#include <QSysInfo>
#include <QThread>
#include <QTimeZone>

#include <utility>

namespace sysinfo {
namespace {

QByteArray readSystemFile(const QString &path)
{
    QFile file(path);
    // Files under /proc report a size of 0: read until the end instead.
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
}

// "key<blanks>: value" as the kernel writes its summaries.
std::pair<QByteArray, QByteArray> field(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return {};
    return {line.left(colon).trimmed(), line.mid(colon + 1).trimmed()};
}

QString unknown()
{
    return QStringLiteral("Not available");
}

QString sizeText(qint64 bytes)
{
    return bytes < 0 ? unknown() : QLocale::system().formattedDataSize(bytes, 2, QLocale::DataSizeTraditionalFormat);
}

} // namespace

Processor parseCpuInfo(const QByteArray &cpuinfo)
{
    Processor p;
    // A core is known by its package and its number in it; hyperthreads share one.
    QSet<QByteArray> cores;
    QByteArray package;
    for (const QByteArray &line : cpuinfo.split('\n')) {
        const auto [key, value] = field(line);
        if (key == "processor") {
            ++p.logical;
            package.clear();
        } else if (p.model.isEmpty() && (key == "model name" || key == "Hardware" || key == "cpu model")) {
            p.model = QString::fromUtf8(value.simplified());
        } else if (key == "physical id") {
            package = value;
        } else if (key == "core id") {
            cores.insert(package + '/' + value);
        }
    }
    p.cores = cores.isEmpty() ? p.logical : static_cast<int>(cores.size());
    return p;
}

Memory parseMemInfo(const QByteArray &meminfo)
{
    Memory m;
    for (const QByteArray &line : meminfo.split('\n')) {
        const auto [key, value] = field(line);
        if (key != "MemTotal" && key != "MemAvailable")
            continue;
        // "16318856 kB": the kernel's kB are KiB.
        bool ok = false;
        const qint64 kib = value.split(' ').value(0).toLongLong(&ok);
        if (ok)
            (key == "MemTotal" ? m.total : m.available) = kib * 1024;
    }
    return m;
}

QString upTimeText(qint64 seconds)
{
    const qint64 days = seconds / 86400;
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
                             .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 %2, %3").arg(days).arg(days == 1 ? QStringLiteral("day") : QStringLiteral("days"), time);
}

QList<Fact> gatherFacts()
{
    QList<Fact> facts;
    auto add = [&](const char *category, const QString &item, const QString &value) {
        facts.append({QString::fromLatin1(category), item, value.isEmpty() ? unknown() : value});
    };

    add(summaryCategory, QStringLiteral("OS Name"), QSysInfo::prettyProductName());
    add(summaryCategory, QStringLiteral("Version"), QSysInfo::productVersion());
    add(summaryCategory, QStringLiteral("Kernel"),
        QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion());
    add(summaryCategory, QStringLiteral("System Name"), QSysInfo::machineHostName());
    add(summaryCategory, QStringLiteral("System Type"), QSysInfo::currentCpuArchitecture());

    Processor cpu = parseCpuInfo(readSystemFile(QStringLiteral("/proc/cpuinfo")));
    if (cpu.logical == 0)
        cpu.logical = QThread::idealThreadCount();
    add(summaryCategory, QStringLiteral("Processor"), cpu.model);
    add(summaryCategory, QStringLiteral("Cores"),
        cpu.cores > 0 ? QStringLiteral("%1 Core(s), %2 Logical Processor(s)").arg(cpu.cores).arg(cpu.logical)
                      : QStringLiteral("%1 Logical Processor(s)").arg(cpu.logical));

    const Memory memory = parseMemInfo(readSystemFile(QStringLiteral("/proc/meminfo")));
    add(summaryCategory, QStringLiteral("Installed Physical Memory"), sizeText(memory.total));
    add(summaryCategory, QStringLiteral("Available Physical Memory"), sizeText(memory.available));

    bool ok = false;
    const double upSeconds = readSystemFile(QStringLiteral("/proc/uptime")).split(' ').value(0).toDouble(&ok);
    add(summaryCategory, QStringLiteral("Up Time"), ok ? upTimeText(static_cast<qint64>(upSeconds)) : unknown());

    const QLocale locale = QLocale::system();
    add(summaryCategory, QStringLiteral("Locale"),
        locale.language() == QLocale::C ? QStringLiteral("C (no language or region set)")
                                        : QStringLiteral("%1 (%2, %3)")
                                              .arg(locale.name(), QLocale::languageToString(locale.language()),
                                                   QLocale::territoryToString(locale.territory())));
    add(summaryCategory, QStringLiteral("Time Zone"), QString::fromUtf8(QTimeZone::systemTimeZoneId()));

    const QList<QScreen *> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QScreen *screen = screens.at(i);
        const QSize pixels = screen->geometry().size() * screen->devicePixelRatio();
        QString value = QStringLiteral("%1 x %2 pixels, %3 Hz, %4 dpi")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(qRound(screen->refreshRate()))
                            .arg(qRound(screen->physicalDotsPerInch()));
        const QString name =
            QStringList{screen->manufacturer(), screen->model(), screen->name()}.join(QLatin1Char(' '));
        if (!name.trimmed().isEmpty())
            value = name.simplified() + QStringLiteral(": ") + value;
        add(displayCategory, QStringLiteral("Display %1").arg(i + 1), value);
    }
    if (screens.isEmpty())
        add(displayCategory, QStringLiteral("Display"), unknown());

    add(softwareCategory, QStringLiteral("Toolkit Version"),
        QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion())));
    add(softwareCategory, QStringLiteral("Build ABI"), QSysInfo::buildAbi());
    add(softwareCategory, QStringLiteral("Platform Plugin"), QGuiApplication::platformName());
    return facts;
}

} // namespace sysinfo
