#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace rt {

// A run-time error: a number and its text. Handlers raise it like any C++
// exception; the dispatcher (dispatch.h) makes sure none ever reaches Qt.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number, QString description = {});

    [[nodiscard]] int number() const { return m_number; }
    [[nodiscard]] const QString &description() const { return m_description; }
    [[nodiscard]] const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

// The usual texts of the errors this program can meet.
namespace err {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int FileNotFound = 53;
inline constexpr int ObjectRequired = 424;
inline constexpr int MethodFailed = 440;
} // namespace err

[[nodiscard]] QString standardDescription(int number);

[[noreturn]] void raise(int number);

// 16-bit addition as the forms' integers do it: an overflow is run-time error 6.
[[nodiscard]] std::int16_t add16(std::int16_t a, std::int16_t b);

} // namespace rt
