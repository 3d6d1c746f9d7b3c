#pragma once

#include <QtGlobal>

class QString;
class QWidget;

namespace rt {

// How the program keeps its start quick and its memory small; the reasons
// are at the top of tuning.cpp. None of it changes what the program does:
// on a system without the calls these rest on, each does nothing.

// The allocator's settings, before the application object.
void tuneAllocator();

// Makes the memory the window is painted into present in one call, before
// its first painting at a new size. Nothing when it is present already.
void preparePaintMemory(QWidget *window);

// A compressed picture resource of the program file, read later
// (listResourcePages) or read now (releaseResourcePages): its pages, and
// those of every resource listed, are let go.
void listResourcePages(const QString &path);
void releaseResourcePages(const QString &path);

} // namespace rt
