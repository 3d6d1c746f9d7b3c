#pragma once

namespace rt {

// What a screen reader is shown beyond Qt's own accessibility: only what a
// person can meet. The program lists only windows that have been put on the
// screen (a view drawn off the screen, such as the web page view's, makes a
// window that never is); a toolbar lists only the buttons it shows (not its
// "more buttons" button while everything fits).
//
// Once, before the application object; tests, before the first query.
void installAccessibility();

} // namespace rt
