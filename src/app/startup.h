// The program's start: number format, single instance, work folder, the windows, the event loop.
#pragma once

class QApplication;

namespace velkor::app {

// The name of the per-user single-instance mark.
inline constexpr const char* kSingleInstanceName = "VelkorCMap";

// Makes "." the decimal separator for the C library and for Qt, whatever the user's locale.
void UseCNumberFormat();

// Runs the program on an application object that exists already; returns the exit code.
int RunVelkor(QApplication& application);

}  // namespace velkor::app
