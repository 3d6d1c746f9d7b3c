// The platform's print dialogs as the calendar window uses them. The real ones
// are modal; tests install a double (installedPrintDialogs()) that chooses a PDF
// file instead, so that nothing waits for a person.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

class PrintDialogs {
public:
    using Paint = std::function<void(QPrinter &)>;

    virtual ~PrintDialogs() = default;
    // Lets the person choose the printer and its settings; false when they cancel.
    [[nodiscard]] virtual bool setUp(QPrinter &printer, QWidget *parent) = 0;
    // Shows the pages `paint` draws until the person closes the preview. Printing
    // from the preview paints again, on the printer chosen there.
    virtual void preview(QPrinter &printer, QWidget *parent, const Paint &paint) = 0;
};

// The dialogs in use: the platform's until something else is installed.
PrintDialogs &printDialogs();

// Where a test installs other dialogs.
PrintDialogs *&installedPrintDialogs();
