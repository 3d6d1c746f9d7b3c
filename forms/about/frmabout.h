// The About window: the program's title, version and notices, and the button
// that starts the system-information program. The program is found through
// the registry (registry.h), which is the system's own on Windows and a
// built-in table elsewhere; it is started with the runtime's Shell. The site
// browser opens this window through its default instance; it is the last
// window of the program.
#pragma once

#include "runtime.h"

#include <array>
#include <cstdint>

class frmAbout : public rt::Form {
    Q_OBJECT
public:
    frmAbout();

    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Finds the system-information program and starts it, or says once that
    // it is unavailable.
    void StartSysInfo();
    // Reads one value under `KeyRoot`\`KeyName` into `KeyVal` as text. False,
    // with `KeyVal` empty, when the key or value cannot be read or its type
    // is not one read as text.
    bool GetKeyValue(std::int32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    // The controls, named as designed.
    rt::PictureBoxControl *picIcon = nullptr;
    rt::CommandButton *cmdOK = nullptr;
    rt::CommandButton *cmdSysInfo = nullptr;
    rt::Label *Label2 = nullptr;
    rt::Label *Label1 = nullptr;
    std::array<rt::Line *, 2> Line1{};
    rt::Label *lblDescription = nullptr;
    rt::Label *lblTitle = nullptr;
    rt::Label *lblVersion = nullptr;
    rt::Label *lblDisclaimer = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;
};
