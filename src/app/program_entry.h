#pragma once

namespace somnara::app {

// Makes every window class, control class and resource of the program known by name, so
// that window descriptions can be applied. Safe to call more than once.
void RegisterProgram();

// The program from start to end on the services already installed (platform::Install):
// initialise the application, title it "Somnara", create the backdrop as the main window,
// run the message loop until the application is told to terminate. Returns the exit code.
int RunProgram();

}  // namespace somnara::app
