#include "frmsplash.h"

#include "calendar/form1.h"
#include "pictureloader.h"
#include "resourcenames.h"
#include "shell/mdiform1.h"
#include "shell/startup.h"

using rt::twipsRect;
using namespace rt::colours;

frmSplash::frmSplash()
{
    setBorderStyle(rt::BorderStyle::FixedDialog);
    // With the empty caption: no title bar at all.
    setControlBox(false);
    setShowInTaskbar(false);
    setStartUpPosition(rt::StartUpPosition::CentreScreen);
}

void frmSplash::createControls()
{
    setCaption(QString());
    setClientSize(7380, 4245);
    setKeyPreview(true);

    Timer1 = new rt::Timer(this, 5000, true, [this] { Timer1_Timer(); });
    // Five seconds on the screen, however long the window system takes to show it.
    countFromFirstExposure(Timer1);

    Frame1 = new rt::Frame(client());
    Frame1->setGeometry(twipsRect(120, 60, 7080, 4050));
    Frame1->setCursor(rt::cursor(rt::MousePointer::ArrowHourglass));
    on(Frame1, &rt::Frame::Click, [this] { Frame1_Click(); });

    imgLogo = new rt::ImageControl(Frame1);
    imgLogo->setGeometry(twipsRect(360, 795, 735, 1065));
    imgLogo->setStretch(true);
    imgLogo->setPicture(rt::loadPixmap(resourcenames::logo));

    const QFont small = rt::font(QStringLiteral("Arial"), 8.25);
    auto label = [&](const QString &caption, int left, int top, int width, int height, const QFont &font) {
        auto *l = new rt::Label(caption, Frame1);
        l->setGeometry(twipsRect(left, top, width, height));
        l->setFont(font);
        return l;
    };

    lblLicenseTo = label(QStringLiteral(" "), 120, 240, 6855, 255, small);
    lblLicenseTo->setAlignment(Qt::AlignRight | Qt::AlignTop);

    lblCompanyProduct =
        label(QStringLiteral("The TEMPORIA developers"), 2355, 705, 4335, 405, rt::font(QStringLiteral("Arial"), 18));
    lblCompanyProduct->setForeColor(rt::color(blue));
    lblCompanyProduct->setAutoSize(true);

    lblProductName =
        label(QStringLiteral("TEMPORIA 1.0"), 2280, 1440, 4665, 765, rt::font(QStringLiteral("Arial"), 32.25, true));
    lblProductName->setForeColor(rt::color(red));
    lblProductName->setAutoSize(true);

    lblPlatform = label(QStringLiteral("Requirment: WIN 9x"), 3450, 2280, 3000, 360,
                        rt::font(QStringLiteral("Arial"), 15.75, true));
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblPlatform->setAutoSize(true);

    lblCopyright = label(QStringLiteral("\u00A9 2026 TEMPORIA developers"), 4560, 3060, 2415, 255, small);
    lblCompany = label(QStringLiteral("Made by independent volunteers"), 4560, 3270, 2415, 255, small);
    lblWarning = label(QStringLiteral("Freeware: everyone may copy and pass on TEMPORIA free of charge."), 150, 3660,
                       6855, 195, small);
}

void frmSplash::Form_Load()
{
    lblProductName->setCaption(rt::App().Title);
}

void frmSplash::Form_KeyPress(std::int16_t &KeyAscii)
{
    (void)KeyAscii;
    Unload();
}

void frmSplash::Frame1_Click()
{
    Unload();
}

void frmSplash::Timer1_Timer()
{
    Unload();
    rt::form<MDIForm1>().setVisible(true);
}

void frmSplash::Form_Unload(std::int16_t &Cancel)
{
    (void)Cancel;
    rt::form<Form1>().setVisible(true);
    showStartMonth();
}
