// The forms runtime: what the program's windows need on top of Qt Widgets.
//
// Forms (form.h, mdiform.h) have one default instance each, loaded on first
// reference and ending the program when the last one is unloaded; a window's
// frame and placement are in windowframe.h, the routing of its events to the
// form's handlers in formevents.h. program.h starts the runtime with the start-up form, in the program's style
// (style.h). Controls, one to a file named after it (combobox.h, textbox.h,
// label.h, commandbutton.h, frame.h, imagecontrol.h, pictureboxcontrol.h,
// line.h, timer.h), carry the few properties the windows rely on, and a
// balloon (balloon.h) says beside one why its input was not taken. Layouts
// are in twips (twips.h), with colours, fonts and mouse pointers named as
// designed (colours.h, fonts.h, mousepointer.h). Every handler runs through
// the dispatcher (dispatch.h), which turns an uncaught run-time error into a
// message and the end of the program. The world outside - time, today's date,
// message boxes, starting programs, files - is reached only through the seams
// of services.h, so tests swap in doubles (manualclock.h and friends);
// functions.h holds the general functions over them (Shell, Dir, Format,
// MsgBox). accessibility.h trims what a screen reader is shown to what a
// person can meet. Pictures are decoded by pictureloader.h, when needed or
// ahead on a worker thread, from the names the windows give; work that can
// wait for the person to pause goes through idle.h. What keeps the start quick and
// the memory small, with its reasons, is in tuning.h.
//
// This folder depends on Qt alone; the windows in forms/ depend on it.
#pragma once

#include "accessibility.h"
#include "app.h"
#include "balloon.h"
#include "colours.h"
#include "combobox.h"
#include "commandbutton.h"
#include "datewatch.h"
#include "dispatch.h"
#include "fonts.h"
#include "form.h"
#include "frame.h"
#include "functions.h"
#include "geometry.h"
#include "idle.h"
#include "imagecontrol.h"
#include "label.h"
#include "line.h"
#include "mdiform.h"
#include "mousepointer.h"
#include "pictureboxcontrol.h"
#include "pictureloader.h"
#include "preferences.h"
#include "program.h"
#include "runtimeerror.h"
#include "services.h"
#include "style.h"
#include "textbox.h"
#include "timer.h"
#include "toolbar.h"
#include "twips.h"
