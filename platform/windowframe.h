#pragma once

#include <QtGlobal>

class QWidget;

namespace rt {

class ChildWindow;

// The border a window is designed with.
enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2, // the default
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5, // a thin caption, and out of the taskbar
};

// Normal, minimised or maximised, as the user or the program left it.
enum class WindowState {
    Normal = 0,
    Minimised = 1,
    Maximised = 2,
};

// Where a window stands when it is first shown.
enum class StartUpPosition {
    WindowSystem = 0, // where the window system puts it
    CentreScreen = 2, // in the middle of its screen's free area
};

// A window's frame as designed: fixed before the window exists. A window
// with an empty caption and no control box has no title bar; its border is
// then drawn by the window itself. An MDI child's frame follows the same
// settings, drawn by its MDI frame.
struct WindowFrame {
    BorderStyle border = BorderStyle::Sizable;
    bool controlBox = true;
    bool showInTaskbar = true;
    // Set once any of the above is set: a plain window otherwise.
    bool designed = false;

    [[nodiscard]] bool isSizable() const
    {
        return border == BorderStyle::Sizable || border == BorderStyle::SizableToolWindow;
    }
    [[nodiscard]] bool isToolWindow() const
    {
        return border == BorderStyle::FixedToolWindow || border == BorderStyle::SizableToolWindow;
    }

    // A new top-level window and, in `client`, the area that holds its
    // controls: the window itself, or one inside a frame that can draw the
    // border.
    [[nodiscard]] QWidget *makeWindow(QWidget *&client) const;
    // Gives a window made by makeWindow() its frame; `hasCaption` says
    // whether its caption has any text.
    void applyTo(QWidget *window, bool hasCaption) const;
    void applyTo(ChildWindow *child) const;
};

// Places a top-level window in the middle of the free area of the screen
// it is on (what panels and docks leave of it).
void centreOnScreen(QWidget *window);

} // namespace rt
