// The program's style: the platform's own, with the title-bar button pictures
// read only when first shown.
#pragma once

class QStyle;

namespace rt {

// Makes the program's style the application's; does nothing when it already is.
void installStyle();

// The style of a tool window's frame inside an MDI frame: the program's, with
// the thin caption bar of a tool window. Shared; owned by the application.
[[nodiscard]] QStyle *toolWindowStyle();

// A new instance of the platform's own style (the one the program's wraps),
// for a proxy of a control's own to own.
[[nodiscard]] QStyle *newPlatformStyle();

} // namespace rt
