#pragma once

#include <cstdint>
#include <string>

// The values and window references the routine's windows share. They live for the whole
// run and are touched only from the UI thread.

namespace somnara::app {
class TForm1;
class TForm2;
class TForm7;
}  // namespace somnara::app

namespace somnara::routine {
class TForm3;
class TForm4;
class TForm5;
class TForm6;
}  // namespace somnara::routine

namespace somnara {

// The last window created of each class; set by whoever creates it, before showing it.
extern app::TForm1* Form1;
extern app::TForm2* Form2;
extern routine::TForm3* Form3;
extern routine::TForm4* Form4;
extern routine::TForm5* Form5;
extern routine::TForm6* Form6;
extern app::TForm7* Form7;

// Full path of the sound file last opened on the sound channel; the backdrop's loop timer
// opens it again whenever the track has reached its end.
extern std::string CurrentSoundPath;

// Filled by the sleep window from the settings file.
extern int32_t SecondsLeft;
extern bool FadeOutEnabled;
extern int FinishCommand;  // 0 "DoNothing" .. 4 "ShutDown(force)"
extern int MusicIndex;

// Back to the values at start (a test runs several nights in one process).
void ResetRoutineValues();

}  // namespace somnara
