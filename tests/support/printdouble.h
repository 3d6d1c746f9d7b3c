// The print dialogs without a person: each one is answered at once, so that
// no modal dialog waits in a test. With a file name set, printing and the
// preview draw into that PDF file; without one, printing is cancelled and the
// preview closed before it draws. The paper, orientation and margins a person
// would pick in the dialog, and the border the printer cannot print on, are
// taken when set.
#pragma once

#include "calendar/printdialogs.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <optional>

namespace testing {

struct FakePrintDialogs final : PrintDialogs {
    QString file;
    bool cancel = false;
    int setUps = 0;
    int previews = 0;
    std::optional<QPageSize> paper;
    std::optional<QPageLayout::Orientation> orientation;
    std::optional<QMarginsF> margins;      // millimetres
    std::optional<QMarginsF> leastMargins; // what the printer cannot print on, millimetres
    bool fullPage = false;                 // the painter on the whole paper, as an application may ask

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
        if (paper)
            printer.setPageSize(*paper);
        if (orientation)
            printer.setPageOrientation(*orientation);
        if (margins)
            printer.setPageMargins(*margins, QPageLayout::Millimeter);
        if (leastMargins) {
            QPageLayout layout = printer.pageLayout();
            layout.setUnits(QPageLayout::Millimeter);
            layout.setMinimumMargins(*leastMargins);
            printer.setPageLayout(layout);
        }
        if (fullPage)
            printer.setFullPage(true);
    }
};

} // namespace testing
