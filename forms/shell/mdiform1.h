// The application shell: the splash window (frmsplash.h), the main frame with
// its background slideshow, and the program's entry (main.cpp). The frame
// hosts the calendar window (forms/calendar) and reaches it only through its
// default instance.
#pragma once

#include "resourcenames.h"
#include "runtime.h"

#include <array>
#include <cstdint>

class MDIForm1 : public rt::MdiForm {
    Q_OBJECT
public:
    MDIForm1();

    // Made ready while the program waits before the frame's load (the
    // splash's seconds): the photograph it shows first. Loads nothing, and
    // does nothing once the frame is loaded.
    static void prepareLoad();

    // The four photograph holders; never shown, only their pictures are
    // used. Each is decoded when it is first due, and kept.
    std::array<rt::HeldPicture, 4> Picture1{
        rt::HeldPicture(resourcenames::photograph(0)), rt::HeldPicture(resourcenames::photograph(1)),
        rt::HeldPicture(resourcenames::photograph(2)), rt::HeldPicture(resourcenames::photograph(3))};
    rt::Timer *Timer1 = nullptr;

    void Timer1_Timer();

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Click() override;
    void Form_Unload(std::int16_t &Cancel) override;

private:
    void prepareNextPicture();

    // The photograph the next tick shows; 0-4 (4 is reset before use).
    std::int16_t nextPicture = 0;
};
