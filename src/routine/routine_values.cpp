#include "routine/routine_values.h"

namespace somnara {

routine::TForm3* Form3 = nullptr;
routine::TForm4* Form4 = nullptr;
routine::TForm5* Form5 = nullptr;
routine::TForm6* Form6 = nullptr;
routine::Backdrop* RoutineBackdrop = nullptr;
routine::MainWindow* RoutineMainWindow = nullptr;
int32_t SecondsLeft = 0;
bool FadeOutEnabled = false;
int FinishCommand = 0;
int MusicIndex = 0;

void ResetRoutineValues() {
  Form3 = nullptr;
  Form4 = nullptr;
  Form5 = nullptr;
  Form6 = nullptr;
  RoutineBackdrop = nullptr;
  RoutineMainWindow = nullptr;
  SecondsLeft = 0;
  FadeOutEnabled = false;
  FinishCommand = 0;
  MusicIndex = 0;
}

}  // namespace somnara
