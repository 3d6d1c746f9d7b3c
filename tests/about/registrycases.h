// Registry values and what the About window's reader makes of them, shared
// by two programs: one runs the rows through the registry double on this
// system, the other - built for Windows and run under Wine - through the
// system's own registry after writing the same rows into it. Their answers
// must be the same, line for line, but where a row says that the system
// parts from the double.
#pragma once

#include "registry.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace cases {

using namespace std::string_literals;

// A key of the program's own, so that nothing of the system's is touched.
inline const std::string caseKey = "SOFTWARE\\Temporia\\Registry cases";

struct Row {
    std::string label;
    std::string key;
    std::string value;
    std::uint32_t type = 0; // 0: nothing stored
    std::string bytes;      // exactly as stored
    // Where the double departs from the system: the system refuses to read
    // the row (answers "not read") although the double reads it.
    bool systemRefuses = false;
};

// What Wine's environment holds, and therefore what the double must expand to.
inline const std::vector<std::pair<std::string, std::string>> environment{
    {"SystemRoot", "C:\\windows"},
    {"ProgramFiles", "C:\\Program Files"},
};

inline std::vector<Row> rows()
{
    const std::string x1023(1023, 'x');
    std::vector<Row> r{
        {"text with its zero", caseKey, "sz", reg::RegSz, "C:\\Tools\\msinfo32.exe\0"s},
        {"text without a zero", caseKey, "sz bare", reg::RegSz, "C:\\Tools\\msinfo32.exe"s},
        {"type 2, %SystemRoot%", caseKey, "expand root", reg::RegExpandSz, "%SystemRoot%\\system32\0"s},
        {"type 2, %ProgramFiles%", caseKey, "expand files", reg::RegExpandSz, "%ProgramFiles%\\Tools\\msinfo32.exe\0"s},
        {"type 2, unknown name kept", caseKey, "expand unknown", reg::RegExpandSz, "%NoSuchName%\\x\0"s},
        {"DWORD 258", caseKey, "dword", reg::RegDword, "\x02\x01\x00\x00"s},
        {"DWORD top byte set", caseKey, "dword top", reg::RegDword, "\x00\x00\x00\x80"s},
        {"binary", caseKey, "binary", reg::RegBinary, "C:\\Bin\\x.exe"s},
        {"multi-text", caseKey, "multi", reg::RegMultiSz, "C:\\a.exe\0C:\\b.exe\0\0"s},
        {"size 0", caseKey, "empty", reg::RegSz, ""s},
        {"1023 bytes, zero last", caseKey, "1023", reg::RegSz, std::string(1022, 'x') + '\0'},
        {"1024 bytes, zero last", caseKey, "1024", reg::RegSz, x1023 + '\0'},
        // The system's 8-bit call needs room for the zero it adds to a text
        // stored without one, so 1024 such bytes no longer fit the buffer;
        // the double copies them as they are.
        {"1024 bytes, no zero", caseKey, "1024 bare", reg::RegSz, x1023 + 'y', true},
        {"1025 bytes", caseKey, "1025", reg::RegSz, x1023 + "y\0"s},
        {"missing value", caseKey, "no such value", 0, {}},
        {"missing key", "SOFTWARE\\Temporia\\No such key", "sz", 0, {}},
    };
    // The two lookups, in the order the About window tries them.
    r.push_back({"lookup 1: the program's path", reg::sysInfoLookups[0].key, reg::sysInfoLookups[0].value, reg::RegSz,
                 "C:\\Program Files\\Common Files\\System\\msinfo32.exe\0"s});
    r.push_back({"lookup 2: its folder", reg::sysInfoLookups[1].key, reg::sysInfoLookups[1].value, reg::RegSz,
                 "C:\\Program Files\\Common Files\\System\0"s});
    return r;
}

// One line per row: its label, the outcome and the text. Long texts are
// given by their length, their ends and a checksum, so that the lines stay
// readable and still differ whenever the texts do.
inline std::string answer(const Row &row, const reg::KeyValue &value)
{
    const char *outcome = value.outcome == reg::KeyValue::Outcome::Read      ? "read"
                          : value.outcome == reg::KeyValue::Outcome::NotRead ? "not read"
                                                                             : "number too wide";
    std::string text = value.text;
    if (text.size() > 48) {
        std::uint32_t sum = 2166136261u; // FNV-1a
        for (unsigned char c : value.text)
            sum = (sum ^ c) * 16777619u;
        char digest[64];
        std::snprintf(digest, sizeof digest, "...%s (%zu bytes, %08x)",
                      value.text.substr(value.text.size() - 4).c_str(), value.text.size(), static_cast<unsigned>(sum));
        text = value.text.substr(0, 8) + digest;
    }
    return row.label + " | " + outcome + " | \"" + text + "\"\n";
}

// The answers of `registry`, one line per row.
inline std::string answers(reg::Registry &registry)
{
    std::string out;
    for (const Row &row : rows())
        out += answer(row, reg::readKeyValue(registry, reg::HKeyLocalMachine, row.key.c_str(), row.value.c_str()));
    return out;
}

// The answers the system must give, from the double: its own, but for the
// rows where they are known to part.
inline std::string systemAnswers(reg::Registry &double_)
{
    std::string out;
    for (const Row &row : rows()) {
        reg::KeyValue value = reg::readKeyValue(double_, reg::HKeyLocalMachine, row.key.c_str(), row.value.c_str());
        if (row.systemRefuses) {
            if (value.outcome != reg::KeyValue::Outcome::Read)
                out += "the double no longer reads: ";
            value = {};
        }
        out += answer(row, value);
    }
    return out;
}

} // namespace cases
