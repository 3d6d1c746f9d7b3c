// The splash window: the program's first window, centred and without a title
// bar, showing the title, the maker and a few notices. It gives way to the
// calendar window and the main frame after 5 seconds, at a key that types a
// character or at a click on its frame, whichever comes first.
#pragma once

#include "runtime.h"

class frmSplash : public rt::Form {
    Q_OBJECT
public:
    frmSplash();

    rt::Timer *Timer1 = nullptr;
    rt::Frame *Frame1 = nullptr;
    rt::ImageControl *imgLogo = nullptr;
    rt::Label *lblLicenseTo = nullptr;
    rt::Label *lblCompanyProduct = nullptr;
    rt::Label *lblProductName = nullptr;
    rt::Label *lblPlatform = nullptr;
    rt::Label *lblCopyright = nullptr;
    rt::Label *lblCompany = nullptr;
    rt::Label *lblWarning = nullptr;

    void Frame1_Click();
    void Timer1_Timer();

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_KeyPress(std::int16_t &KeyAscii) override;
    void Form_Unload(std::int16_t &Cancel) override;
};
