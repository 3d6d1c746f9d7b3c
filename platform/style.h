// The program's style: the platform's own, with the title-bar button pictures
// read only when first shown.
#pragma once

class QStyle;

namespace rt {

// Makes the program's style the application's; does nothing when it already is.
void installStyle();

// A window inside an MDI frame with this property set true gets the thin
// caption of a tool window from the program's style.
inline constexpr char toolWindowProperty[] = "rtToolWindow";

// A new instance of the platform's own style (the one the program's wraps),
// for a proxy of a control's own to own.
[[nodiscard]] QStyle *newPlatformStyle();

} // namespace rt
