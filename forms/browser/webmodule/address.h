#pragma once

#include <QUrl>

// What the text of the address box asks the view to load. An address without
// a scheme is a web address ("example.com" is http://example.com); an empty
// URL means load nothing: no text, or a script (javascript:) that would run in
// the page shown.
[[nodiscard]] QUrl addressToUrl(const QString &text);
