#pragma once

#include <QString>

#include <optional>

namespace rt {

// The person's preferences, kept between runs in one file of the user's
// configuration folder. The file is read on first use and written, whole or
// not at all (a crash or a full disk in the middle leaves the old file), only
// when the person changes a preference: a run that changes nothing writes
// nothing. A file that cannot be read, is not one of ours, comes from a later
// version or holds values that make no sense gives the defaults and one line
// on stderr; a file that cannot be written, one line, and the program goes on
// with the change for this run.
class Preferences {
public:
    // `file` empty: kept in memory only, nothing read or written.
    explicit Preferences(QString file = {});

    // $XDG_CONFIG_HOME/temporia/temporia.conf, or its like on other systems.
    [[nodiscard]] static QString standardFile();

    // The ISO week numbers beside the calendar's grid; off by default.
    [[nodiscard]] bool weekNumbers() const;
    // The person's choice: remembered.
    void setWeekNumbers(bool on);
    // The command line's, for this run only: wins over the remembered one,
    // and is not written.
    void setWeekNumbersForThisRun(bool on);

    // What the last read or write said on stderr, empty when all went well.
    [[nodiscard]] QString lastProblem() const { return m_problem; }

private:
    void load() const;
    void save();
    void complain(const QString &problem) const;

    QString m_file;
    mutable bool m_loaded = false;
    mutable bool m_weekNumbers = false;
    std::optional<bool> m_weekNumbersThisRun;
    mutable QString m_problem;
};

} // namespace rt
