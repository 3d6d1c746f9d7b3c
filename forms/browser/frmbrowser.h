// The site browser: a small browser window with a toolbar and an address box
// that opens the program's own site. The page view behind it is the web seam
// (webbrowser.h): the real one on Qt WebEngine is a plugin of its own
// (webmodule/), loaded when the first browser window is made, so the program
// itself never links the engine. The calendar window and the main frame show
// this window when they close; closing it shows the About window.
#pragma once

#include "runtime.h"
#include "webbrowser.h"

#include <cstdint>

class frmBrowser : public rt::Form {
    Q_OBJECT
public:
    frmBrowser();

    // The program's site, compiled into it and served from its resources.
    static inline const QString homeAddress = QStringLiteral("temporia://site/index.html");

    QString StartingAddress;

    // The controls, named as designed.
    rt::ImageList imlIcons;
    rt::Toolbar *tbToolBar = nullptr;
    WebBrowser *brwWebBrowser = nullptr;
    rt::Timer *timTimer = nullptr;
    QWidget *picAddress = nullptr;
    rt::ComboBox *cboAddress = nullptr;
    rt::Label *lblAddress = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(std::int16_t &Cancel) override;

private:
    void brwWebBrowser_DownloadComplete();
    void cboAddress_Click();
    void cboAddress_KeyPress(std::int16_t &KeyAscii);
    void timTimer_Timer();
    void tbToolBar_ButtonClick(const rt::Button &Button);
};
