#include "mdiform1.h"

#include "browser/frmbrowser.h"
#include "calendar/form1.h"

MDIForm1::MDIForm1() = default;

void MDIForm1::createControls()
{
    setCaption(QStringLiteral("A 10000 YEAR TEMPORIA"));
    setBackColor(rt::colours::silver);
    area()->setAccessibleName(QStringLiteral("Background photograph"));
    area()->setAccessibleDescription(QStringLiteral("A click here minimises or restores the calendar"));
    window()->resize(rt::px(5325), rt::px(3840));
    // Decoded once, here; every tick hands one of them over as it is.
    for (std::size_t i = 0; i < Picture1.size(); ++i)
        Picture1[i] = rt::loadPicture(QStringLiteral(":/photos/photo%1.bmp").arg(i));
    Timer1 = new rt::Timer(this, 20000, true, [this] { Timer1_Timer(); });
}

void MDIForm1::Form_Load()
{
    setPicture(Picture1[3]);
    rt::form<Form1>().setVisible(true);
}

void MDIForm1::Form_Resize()
{
    setWindowState(2);
}

void MDIForm1::Form_Click()
{
    Form1 &calendar = rt::form<Form1>();
    if (calendar.WindowState() == 1)
        calendar.setWindowState(0);
    else
        calendar.setWindowState(1);
}

void MDIForm1::Timer1_Timer()
{
    if (nextPicture > 3)
        nextPicture = 0;
    rt::form<Form1>().setVisible(false);
    setPicture(Picture1[static_cast<std::size_t>(nextPicture)]);
    // 0-3 before the addition, so no overflow.
    nextPicture = rt::add16(nextPicture, 1);
    rt::form<Form1>().setVisible(true);
}

void MDIForm1::Form_Unload(std::int16_t &Cancel)
{
    (void)Cancel;
    rt::form<frmBrowser>().setVisible(true);
}
