// The print dialogs without a person: each one is answered at once, so that
// no modal dialog waits in a test. With a file name set, printing and the
// preview draw into that PDF file; without one, printing is cancelled and the
// preview closed before it draws.
#pragma once

#include "calendar/printdialogs.h"

#include <QPrinter>
#include <QString>

namespace testing {

struct FakePrintDialogs final : PrintDialogs {
    QString file;
    bool cancel = false;
    int setUps = 0;
    int previews = 0;

    bool setUp(QPrinter &printer, QWidget *) override
    {
        ++setUps;
        toFile(printer);
        return !cancel && !file.isEmpty();
    }
    void preview(QPrinter &printer, QWidget *, const Paint &paint) override
    {
        ++previews;
        toFile(printer);
        if (!file.isEmpty())
            paint(printer);
    }

private:
    void toFile(QPrinter &printer) const
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
};

} // namespace testing
