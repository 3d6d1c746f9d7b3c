// The stand-in system-information program: a read-only summary of this
// computer (operating system, kernel, processor, memory, displays, toolkit,
// locale, up time) in a window like the system's own tool. It reads the
// system's public files and Qt's system queries and writes nothing.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace sysinfo {

// One line of the summary, under its category.
struct Fact {
    QString category;
    QString item;
    QString value;
};

inline constexpr const char *summaryCategory = "System Summary";
inline constexpr const char *displayCategory = "Display";
inline constexpr const char *softwareCategory = "Software Environment";

struct Processor {
    QString model;
    int cores = 0;   // physical cores over all packages; 0 when unknown
    int logical = 0; // logical processors
};
// From the text of /proc/cpuinfo.
[[nodiscard]] Processor parseCpuInfo(const QByteArray &cpuinfo);

struct Memory {
    qint64 total = -1; // bytes, -1 when unknown
    qint64 available = -1;
};
// From the text of /proc/meminfo.
[[nodiscard]] Memory parseMemInfo(const QByteArray &meminfo);

// "3 days, 04:05:06"; "1 day, ..." for one day.
[[nodiscard]] QString upTimeText(qint64 seconds);

// Everything the window shows, in order.
[[nodiscard]] QList<Fact> gatherFacts();

} // namespace sysinfo
