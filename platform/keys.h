#pragma once

#include <QKeyEvent>

#include <cstdint>

namespace rt {

// Return on the main keyboard or Enter on the keypad.
[[nodiscard]] inline bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Either Enter key alone: no modifier but the keypad's own.
[[nodiscard]] inline bool isPlainEnter(const QKeyEvent *event)
{
    return isEnterKey(event) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// KeyPress's KeyAscii for a key that types `text` (not empty): the code of
// its first character.
[[nodiscard]] inline std::int16_t keyAscii(const QString &text)
{
    return static_cast<std::int16_t>(text.at(0).unicode());
}

} // namespace rt
