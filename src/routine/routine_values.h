#pragma once

#include <cstdint>

// The values and window references the routine's windows share. They live for the whole
// run and are touched only from the UI thread.

namespace somnara::routine {
class Backdrop;
class MainWindow;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
}  // namespace somnara::routine

namespace somnara {

// The last window created of each class; set by whoever creates it, before showing it.
extern routine::TForm3* Form3;
extern routine::TForm4* Form4;
extern routine::TForm5* Form5;
extern routine::TForm6* Form6;

// The program's backdrop and main window as the routine uses them (routine/program_windows.h);
// set by the program as it creates them, null while there are none.
extern routine::Backdrop* RoutineBackdrop;
extern routine::MainWindow* RoutineMainWindow;

// Filled by the sleep window from the settings file.
extern int32_t SecondsLeft;
extern bool FadeOutEnabled;
extern int FinishCommand;  // 0 "DoNothing" .. 4 "ShutDown(force)"
extern int MusicIndex;

// Back to the values at start (a test runs several nights in one process).
void ResetRoutineValues();

}  // namespace somnara
