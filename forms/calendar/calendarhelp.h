// F1 anywhere in the main frame's window, the calendar window included, opens
// the help (help/helpwindow.h) on the page about what has the focus:
//
//   a selector                       calendar.html         the five boxes
//   the button                       calendar.html#button
//   a day cell                       calendar.html#grid, or leap.html#difference
//                                    while the grid shows a month the 3200 rule
//                                    changes (February to December of 0, 3200,
//                                    6400 and 9600)
//   the frame, the calendar put away index.html            the frame and its photograph
//
// The grid's menu offers Help on the menu itself: keys.html#menu.
#pragma once

#include <QString>

class QWidget;

namespace rt {
class MdiForm;
}

// The page about `focus`, the control with the keyboard focus in the frame's
// window (nullptr for none).
[[nodiscard]] QString helpPageFor(const QWidget *focus);

// The help on the grid's menu.
inline const QString menuHelpPage = QStringLiteral("keys.html#menu");

// Gives the frame's window its F1 key.
void addHelpKey(rt::MdiForm &frame);
