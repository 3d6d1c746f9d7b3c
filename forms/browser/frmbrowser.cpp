#include "frmbrowser.h"

#include "about/frmabout.h"
#include "webbrowserevents.h"

using rt::resumeNext;
using rt::twipsRect;
using namespace rt::colours;

frmBrowser::frmBrowser()
    : imlIcons(QSize(24, 24), rt::color(silver))
{
}

void frmBrowser::createControls()
{
    QWidget *w = client();
    setCaption(QStringLiteral("Navigate my site"));
    setSize(6540, 5130);

    for (const char *picture : {"back", "forward", "stop", "refresh", "home", "search"})
        imlIcons.Add(QStringLiteral(":/toolbar/%1.bmp").arg(QLatin1String(picture)));

    tbToolBar = new rt::Toolbar(w, &imlIcons);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setAccessibleName(QStringLiteral("Navigation"));
    tbToolBar->setGeometry(twipsRect(0, 0, 6540, 540));
    rt::alignTop(tbToolBar);
    tbToolBar->AddButton(QStringLiteral("Back"), 1);
    tbToolBar->AddButton(QStringLiteral("Forward"), 2);
    tbToolBar->AddButton(QStringLiteral("Stop"), 3);
    tbToolBar->AddButton(QStringLiteral("Refresh"), 4);
    tbToolBar->AddButton(QStringLiteral("Home"), 5);
    tbToolBar->AddButton(QStringLiteral("Search"), 6);
    setTabIndex(tbToolBar, 3);
    on(tbToolBar, &rt::Toolbar::ButtonClick, [this](const rt::Button &Button) { tbToolBar_ButtonClick(Button); });

    brwWebBrowser = webBrowserFactory().create(w);
    brwWebBrowser->view()->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->view()->setAccessibleName(QStringLiteral("Page view"));
    brwWebBrowser->view()->setGeometry(twipsRect(50, 1215, 5393, 3734));
    setTabIndex(brwWebBrowser->view(), 0);
    on(new WebBrowserEvents(*brwWebBrowser), &WebBrowserEvents::DownloadComplete,
       [this] { brwWebBrowser_DownloadComplete(); });

    timTimer = new rt::Timer(this, 5, false, [this] { timTimer_Timer(); });

    picAddress = new QWidget(w);
    picAddress->setObjectName(QStringLiteral("picAddress"));
    picAddress->setAccessibleName(QStringLiteral("Address bar"));
    picAddress->setGeometry(twipsRect(0, 540, 6540, 675));
    rt::alignTop(picAddress);

    cboAddress = new rt::ComboBox(picAddress);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setAccessibleName(QStringLiteral("Address"));
    cboAddress->setGeometry(twipsRect(45, 300, 3795, 315));
    cboAddress->AddItem(homeAddress);
    cboAddress->setText(homeAddress);
    setTabIndex(cboAddress, 2);
    on(cboAddress, &rt::ComboBox::Click, [this] { cboAddress_Click(); });
    on(cboAddress, &rt::ComboBox::KeyPress, [this](std::int16_t &KeyAscii) { cboAddress_KeyPress(KeyAscii); });

    lblAddress = new rt::Label(QStringLiteral("&Address:"), picAddress);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    lblAddress->setGeometry(twipsRect(45, 60, 3075, 255));
    lblAddress->setProperty("Tag", lblAddress->Caption());
    lblAddress->setBuddy(cboAddress);
}

void frmBrowser::Form_Load()
{
    resumeNext([&] { Show(); });
    resumeNext([&] { tbToolBar->Refresh(); });
    resumeNext([&] { Form_Resize(); });
    resumeNext([&] { StartingAddress = homeAddress; });
    resumeNext([&] { rt::Move(cboAddress, 50, rt::Top(lblAddress) + rt::Height(lblAddress) + 15); });
    if (StartingAddress.isEmpty())
        return;
    resumeNext([&] { cboAddress->setText(StartingAddress); });
    // The list now holds the home address twice: the stored entry and this one.
    resumeNext([&] { cboAddress->AddItem(cboAddress->Text()); });
    resumeNext([&] { timTimer->setEnabled(true); });
    resumeNext([&] { brwWebBrowser->Navigate(StartingAddress); });
}

void frmBrowser::Form_Resize()
{
    // Minimised or shrunk below the margins, a size comes out under one
    // pixel; that control keeps the size it had.
    auto fits = [](float twips) { return rt::px(twips) >= 1; };
    QWidget *view = brwWebBrowser->view();

    const float width = static_cast<float>(ScaleWidth()) - 100.0f;
    if (fits(width))
        rt::setWidth(cboAddress, width);
    if (fits(width))
        rt::setWidth(view, width);
    const float height = static_cast<float>(ScaleHeight() - (rt::Top(picAddress) + rt::Height(picAddress))) - 100.0f;
    if (fits(height))
        rt::setHeight(view, height);
}

void frmBrowser::Form_Unload(std::int16_t &Cancel)
{
    (void)Cancel;
    rt::form<frmAbout>().setVisible(true);
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    resumeNext([&] { setCaption(brwWebBrowser->LocationName()); });
}

void frmBrowser::cboAddress_Click()
{
    timTimer->setEnabled(true);
    // An address the view does not open loads nothing: there is no progress
    // to report, and the view's page saying why names itself when it shows.
    if (!brwWebBrowser->Navigate(cboAddress->Text()))
        timTimer->setEnabled(false);
}

void frmBrowser::cboAddress_KeyPress(std::int16_t &KeyAscii)
{
    // The typed address is not added to the list.
    if (KeyAscii == 13)
        resumeNext([&] { cboAddress_Click(); });
}

void frmBrowser::timTimer_Timer()
{
    if (brwWebBrowser->Busy()) {
        setCaption(QStringLiteral("Working..."));
    } else {
        timTimer->setEnabled(false);
        setCaption(brwWebBrowser->LocationName());
    }
}

void frmBrowser::tbToolBar_ButtonClick(const rt::Button &Button)
{
    resumeNext([&] { timTimer->setEnabled(true); });
    // "Back" or "Forward" with nowhere to go fails; the skip leaves the page
    // as it was and the next tick names it.
    const QString &key = Button.Key;
    if (key == QLatin1String("Back")) {
        resumeNext([&] { brwWebBrowser->GoBack(); });
    } else if (key == QLatin1String("Forward")) {
        resumeNext([&] { brwWebBrowser->GoForward(); });
    } else if (key == QLatin1String("Refresh")) {
        resumeNext([&] { brwWebBrowser->Refresh(); });
    } else if (key == QLatin1String("Home")) {
        resumeNext([&] { brwWebBrowser->GoHome(); });
    } else if (key == QLatin1String("Search")) {
        resumeNext([&] { brwWebBrowser->GoSearch(); });
    } else if (key == QLatin1String("Stop")) {
        resumeNext([&] { timTimer->setEnabled(false); });
        resumeNext([&] { brwWebBrowser->Stop(); });
        resumeNext([&] { setCaption(brwWebBrowser->LocationName()); });
    }
}
