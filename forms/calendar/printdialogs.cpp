#include "printdialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

class PlatformPrintDialogs final : public PrintDialogs {
public:
    bool setUp(QPrinter &printer, QWidget *parent) override
    {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    void preview(QPrinter &printer, QWidget *parent, const Paint &paint) override
    {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter *target) { paint(*target); });
        dialog.exec();
    }
};

PrintDialogs *&current()
{
    static PlatformPrintDialogs platform;
    static PrintDialogs *dialogs = &platform;
    return dialogs;
}

} // namespace

PrintDialogs &printDialogs()
{
    return *current();
}

PrintDialogs *&installedPrintDialogs()
{
    return current();
}
