#include "frmabout.h"

#include "pictureloader.h"
#include "registry.h"
#include "resourcenames.h"

using rt::color;
using rt::twipsRect;
using namespace rt::colours;

namespace {

// Where the system-information program is registered: its full path, or
// failing that its folder.
const QString gREGKEYSYSINFO = QString::fromLatin1(reg::sysInfoLookups[0].key);
const QString gREGVALSYSINFO = QString::fromLatin1(reg::sysInfoLookups[0].value);
const QString gREGKEYSYSINFOLOC = QString::fromLatin1(reg::sysInfoLookups[1].key);
const QString gREGVALSYSINFOLOC = QString::fromLatin1(reg::sysInfoLookups[1].value);

} // namespace

frmAbout::frmAbout() = default;

void frmAbout::createControls()
{
    QWidget *w = client();
    setCaption(QStringLiteral("About Temporia"));
    setClientSize(5730, 3555);
    setFixedDialog();

    auto label = [&](const char *name, const QString &caption, int left, int top, int width, int height, int tabIndex) {
        auto *l = new rt::Label(caption, w);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(twipsRect(left, top, width, height));
        l->setWordWrap(true);
        setTabIndex(l, tabIndex);
        return l;
    };

    picIcon = new rt::PictureBoxControl(w);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twipsRect(240, 240, 540, 540));
    picIcon->setAutoSize(true);
    picIcon->setAccessibleName(QStringLiteral("TEMPORIA logo"));
    picIcon->setPicture(rt::loadPixmap(resourcenames::logo)); // blank if the build has no logo
    setTabIndex(picIcon, 1);

    cmdOK = new rt::CommandButton(QStringLiteral("OK"), w);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setCancel(true);
    setTabIndex(cmdOK, 0);
    on(cmdOK, &QPushButton::clicked, [this] { cmdOK_Click(); });

    cmdSysInfo = new rt::CommandButton(QStringLiteral("&System Info..."), w);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(4260, 3075, 1245, 345));
    cmdSysInfo->setAccessibleDescription(QStringLiteral("Starts the System Information program"));
    setTabIndex(cmdSysInfo, 2);
    on(cmdSysInfo, &QPushButton::clicked, [this] { cmdSysInfo_Click(); });

    Label2 = label("Label2", QStringLiteral("the TEMPORIA authors"), 1920, 2640, 1455, 375, 8);
    Label2->setForeColor(color(blue));
    Label2->setFont(rt::font(QStringLiteral("MS Sans Serif"), 8.25, false, false, true));

    Label1 = label("Label1", QStringLiteral("Thanks for using this program. Do visit the web site for details"), 120,
                   1920, 5415, 375, 7);
    Label1->setForeColor(color(red));
    Label1->setFont(rt::font(QStringLiteral("MS Sans Serif"), 9.75, false, false, true));

    // The etched rule: a grey line with a white one just below it.
    Line1[1] = new rt::Line(90, 2445, 5654, 2445, w);
    Line1[1]->setBorderColor(color(grey));

    lblDescription = label("lblDescription", QStringLiteral("Requirment: WIN 9X"), 1050, 1125, 4005, 450, 3);
    lblDescription->setForeColor(color(black));

    lblTitle = label("lblTitle", QStringLiteral("TEMPORIA "), 960, 240, 3885, 360, 5);
    lblTitle->setForeColor(color(black));
    lblTitle->setFont(rt::font(QStringLiteral("Algerian"), 14.25, false, true));

    Line1[0] = new rt::Line(105, 2460, 5654, 2460, w);
    Line1[0]->setBorderColor(color(white));
    Line1[0]->setBorderWidth(2);

    lblVersion = label("lblVersion", QStringLiteral("Version 1.0"), 1050, 780, 3885, 225, 6);

    lblDisclaimer = label("lblDisclaimer", QStringLiteral("All rights held by"), 255, 2625, 1710, 345, 4);
    lblDisclaimer->setForeColor(color(black));

    for (std::size_t i = 0; i < Line1.size(); ++i)
        Line1[i]->setObjectName(QStringLiteral("Line1(%1)").arg(i));
    cmdOK->setFocus(Qt::OtherFocusReason);
    rt::centreOnScreen(window());
}

void frmAbout::Form_Load()
{
    const rt::AppInfo &App = rt::App();
    setCaption(QStringLiteral("About ") + App.Title);
    lblVersion->setCaption(QStringLiteral("Version %1.%2.%3").arg(App.Major).arg(App.Minor).arg(App.Revision));
    lblTitle->setCaption(App.Title);
}

void frmAbout::cmdOK_Click()
{
    Unload();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    const auto SysInfoErr = [] { rt::MsgBox(QStringLiteral("System Information Is Unavailable At This Time")); };

    rt::onErrorGoTo(
        [&] {
            QString SysInfoPath;
            if (!GetKeyValue(reg::HKeyLocalMachine, gREGKEYSYSINFO, gREGVALSYSINFO, SysInfoPath)) {
                // Only the folder is known: the program must be in it.
                if (!GetKeyValue(reg::HKeyLocalMachine, gREGKEYSYSINFOLOC, gREGVALSYSINFOLOC, SysInfoPath)
                    || rt::Dir(SysInfoPath + QStringLiteral("\\MSINFO32.EXE")).isEmpty()) {
                    SysInfoErr();
                    return;
                }
                SysInfoPath += QStringLiteral("\\MSINFO32.EXE");
            }
            rt::Shell(SysInfoPath, rt::NormalFocus);
        },
        [&](const rt::RuntimeError &) { SysInfoErr(); });
}

bool frmAbout::GetKeyValue(std::int32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    const reg::KeyValue value = reg::readKeyValue(reg::registry(), KeyRoot, KeyName.toLocal8Bit().constData(),
                                                  SubKeyRef.toLocal8Bit().constData());
    // No handler here: the overflow goes to the caller, KeyVal untouched.
    if (value.outcome == reg::KeyValue::Outcome::NumberTooWide)
        rt::raise(rt::err::Overflow);
    KeyVal = QString::fromLocal8Bit(value.text);
    return value.outcome == reg::KeyValue::Outcome::Read;
}
