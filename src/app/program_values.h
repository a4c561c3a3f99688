#pragma once

// The references to the program's own windows, beside the routine's (routine_values.h) and
// the sound's (sound/current_sound.h) shared values. They live for the whole run and are
// touched only from the UI thread.

namespace somnara::app {
class TForm1;
class TForm2;
class TForm7;
}  // namespace somnara::app

namespace somnara {

// The last window created of each class; set by whoever creates it, before showing it.
extern app::TForm1* Form1;
extern app::TForm2* Form2;
extern app::TForm7* Form7;

// Every shared value of the program, of every module, back to its value at start (a test
// runs several nights in one process).
void ResetProgramValues();

}  // namespace somnara
