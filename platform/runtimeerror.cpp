#include "runtimeerror.h"

#include <limits>

namespace rt {

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number)
    , m_description(description.isEmpty() ? standardDescription(number) : std::move(description))
    , m_what(QStringLiteral("Run-time error %1: %2").arg(number).arg(m_description).toUtf8())
{
}

QString standardDescription(int number)
{
    switch (number) {
    case err::InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case err::Overflow:
        return QStringLiteral("Overflow");
    case err::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case err::FileNotFound:
        return QStringLiteral("File not found");
    case err::ObjectRequired:
        return QStringLiteral("Object required");
    case err::MethodFailed:
        return QStringLiteral("Method failed");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

void raise(int number)
{
    throw RuntimeError(number);
}

std::int16_t add16(std::int16_t a, std::int16_t b)
{
    const int sum = int{a} + int{b};
    if (sum > std::numeric_limits<std::int16_t>::max() || sum < std::numeric_limits<std::int16_t>::min())
        raise(err::Overflow);
    return static_cast<std::int16_t>(sum);
}

} // namespace rt
