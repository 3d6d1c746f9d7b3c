#pragma once

class QWidget;

namespace rt {

// Any control's position and size in twips, as the layouts give them. A
// control's own coordinates are relative to its container.
[[nodiscard]] int Left(const QWidget *control);
[[nodiscard]] int Top(const QWidget *control);
[[nodiscard]] int Width(const QWidget *control);
[[nodiscard]] int Height(const QWidget *control);

// Sizes round to whole pixels; a size below half a pixel gives an empty control.
void setWidth(QWidget *control, double twips);
void setHeight(QWidget *control, double twips);
// Moves the control, keeping its size.
void Move(QWidget *control, double left, double top);

// Align top: the control stays as wide as its container, at the top it was
// given, whenever the container changes size.
void alignTop(QWidget *control);

} // namespace rt
