#include "colours.h"

#include <QApplication>
#include <QPalette>

namespace rt {

QColor color(std::uint32_t stored)
{
    if (stored & 0x80000000u) {
        // The system colours used by the windows, by their index.
        switch (stored & 0xFFu) {
        case 5: // window background
            return QApplication::palette().color(QPalette::Base);
        case 8: // window text
            return QApplication::palette().color(QPalette::Text);
        case 13: // highlight
            return QApplication::palette().color(QPalette::Highlight);
        case 14: // highlighted text
            return QApplication::palette().color(QPalette::HighlightedText);
        case 15: // button face
        default:
            return QApplication::palette().color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(stored & 0xFFu), static_cast<int>((stored >> 8) & 0xFFu),
                  static_cast<int>((stored >> 16) & 0xFFu));
}

} // namespace rt
