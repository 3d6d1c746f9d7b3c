#pragma once

#include <QtCore/qnamespace.h>

namespace rt {

// The pointer a window shows over a control, as the designer chose it; the
// values are the stored ones.
enum class MousePointer {
    Default = 0,
    Hourglass = 11,
    ArrowHourglass = 13, // the arrow with a small hourglass: busy, but still taking clicks
};

[[nodiscard]] constexpr Qt::CursorShape cursor(MousePointer pointer)
{
    switch (pointer) {
    case MousePointer::Hourglass:
        return Qt::WaitCursor;
    case MousePointer::ArrowHourglass:
        return Qt::BusyCursor;
    case MousePointer::Default:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace rt
