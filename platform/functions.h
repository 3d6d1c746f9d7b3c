#pragma once

#include <QString>

namespace rt {

// The runtime's general functions the windows call: starting a program,
// testing for a file, formatting and the message box. Paths may use the
// backslash as their separator on every system.

// Window styles of Shell.
inline constexpr int NormalFocus = 1; // a normal window that takes the focus

// Starts `path` as a program of its own and returns at once; run-time error
// 53 when it cannot be started. The path is the program, never a command
// line: blanks and shell characters are part of the file name.
void Shell(const QString &path, int windowStyle);

// `path` when it names an existing file, the empty text otherwise.
[[nodiscard]] QString Dir(const QString &path);

// A text beginning with "&h" is a hexadecimal number of at most 32 bits and
// comes back as its unsigned decimal number ("&h000102" -> "258"); a wider
// one is run-time error 6. Every other text comes back unchanged.
[[nodiscard]] QString Format(const QString &text);

// A message with an OK button only, titled with the application title;
// returns when it is closed.
void MsgBox(const QString &text);

// The path as this system writes it: backslashes become slashes where the
// slash is the separator.
[[nodiscard]] QString systemPath(const QString &path);

} // namespace rt
