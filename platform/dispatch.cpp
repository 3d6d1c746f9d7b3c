#include "dispatch.h"

#include "app.h"
#include "services.h"

namespace rt {

void reportUncaught(const RuntimeError &error) noexcept
{
    try {
        Services &s = services();
        s.messages->message(QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.description()),
                            App().Title);
        s.endProgram(1);
    } catch (...) {
        std::terminate();
    }
}

} // namespace rt
