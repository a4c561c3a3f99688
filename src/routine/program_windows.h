#pragma once

// What the routine needs of the program's own windows, which live above it. The program's
// windows implement these and are handed down through routine_values.h as they are
// created; the routine never sees their classes.

namespace somnara::routine {

// The full-screen backdrop behind every window of the routine.
class Backdrop {
 public:
  // The small picture and the clock, hidden until the focus step, stay for the rest of the
  // run.
  virtual void ShowPictureAndClock() = 0;
  // While on, the current sound starts again each time it has played to its end.
  virtual void SetSoundLooping(bool on) = 0;

 protected:
  ~Backdrop() = default;
};

// The main window, which hides itself while the wizard is open.
class MainWindow {
 public:
  // The wizard has closed: the main window comes back as it was, opacity included.
  virtual void ShowAfterWizard() = 0;

 protected:
  ~MainWindow() = default;
};

}  // namespace somnara::routine
