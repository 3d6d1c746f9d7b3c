// The program's style: the platform's own, with the title-bar button pictures
// read only when first shown.
#pragma once

namespace rt {

// Makes the program's style the application's; does nothing when it already is.
void installStyle();

} // namespace rt
