#include "mdiform1.h"

#include "browser/frmbrowser.h"
#include "calendar/calendarhelp.h"
#include "calendar/form1.h"

MDIForm1::MDIForm1() = default;

void MDIForm1::createControls()
{
    setCaption(QStringLiteral("A 10000 YEAR TEMPORIA"));
    setBackColor(rt::colours::silver);
    area()->setAccessibleName(QStringLiteral("Background photograph"));
    area()->setAccessibleDescription(QStringLiteral("A click here minimises or restores the calendar"));
    setSize(5325, 3840);
    Timer1 = new rt::Timer(this, 20000, true, [this] { Timer1_Timer(); });
    addHelpKey(*this);
    // The photograph due at the first tick is decoded once the frame is on
    // the screen and the person has it.
    whenFirstOnScreen([this] { rt::whenIdle(this, [this] { prepareNextPicture(); }); });
}

void MDIForm1::prepareLoad()
{
    // Too late once the frame is there: it has decoded its photograph itself.
    if (!rt::isLoaded<MDIForm1>())
        rt::preparePicture(resourcenames::photograph(3));
}

void MDIForm1::Form_Load()
{
    setBackgroundPicture(Picture1[3]);
    rt::form<Form1>().setVisible(true);
}

void MDIForm1::Form_Resize()
{
    setWindowState(rt::WindowState::Maximised);
}

void MDIForm1::Form_Click()
{
    Form1 &calendar = rt::form<Form1>();
    if (calendar.WindowState() == rt::WindowState::Minimised)
        calendar.setWindowState(rt::WindowState::Normal);
    else
        calendar.setWindowState(rt::WindowState::Minimised);
}

void MDIForm1::Timer1_Timer()
{
    if (nextPicture > 3)
        nextPicture = 0;
    rt::form<Form1>().setVisible(false);
    setBackgroundPicture(Picture1[static_cast<std::size_t>(nextPicture)].Picture());
    // 0-3 before the addition, so no overflow.
    nextPicture = rt::add16(nextPicture, 1);
    rt::form<Form1>().setVisible(true);
    rt::whenIdle(this, [this] { prepareNextPicture(); });
}

// Between two ticks, on a worker thread: the photograph due next is decoded
// unless it has been shown before; each is decoded once.
void MDIForm1::prepareNextPicture()
{
    Picture1[static_cast<std::size_t>(nextPicture % 4)].prepare();
}

void MDIForm1::Form_Unload(std::int16_t &Cancel)
{
    (void)Cancel;
    rt::form<frmBrowser>().setVisible(true);
}
