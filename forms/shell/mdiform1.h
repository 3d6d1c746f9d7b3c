// The application shell: the splash window (frmsplash.h), the main frame with
// its background slideshow, and the program's entry (main.cpp). The frame
// hosts the calendar window (forms/calendar) and reaches it only through its
// default instance.
#pragma once

#include "runtime.h"

#include <array>
#include <cstdint>

class MDIForm1 : public rt::MdiForm {
    Q_OBJECT
public:
    MDIForm1();

    // The four photograph holders; never shown, only their pictures are used.
    std::array<QImage, 4> Picture1;
    rt::Timer *Timer1 = nullptr;

    void Timer1_Timer();

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Click() override;
    void Form_Unload(std::int16_t &Cancel) override;

private:
    // The photograph the next tick shows; 0-4 (4 is reset before use).
    std::int16_t nextPicture = 0;
};
