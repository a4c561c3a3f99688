#include "routine/routine_values.h"

namespace somnara {

app::TForm1* Form1 = nullptr;
app::TForm2* Form2 = nullptr;
routine::TForm3* Form3 = nullptr;
routine::TForm4* Form4 = nullptr;
routine::TForm5* Form5 = nullptr;
routine::TForm6* Form6 = nullptr;
app::TForm7* Form7 = nullptr;
std::string CurrentSoundPath;
int32_t SecondsLeft = 0;
bool FadeOutEnabled = false;
int FinishCommand = 0;
int MusicIndex = 0;

void ResetRoutineValues() {
  Form1 = nullptr;
  Form2 = nullptr;
  Form3 = nullptr;
  Form4 = nullptr;
  Form5 = nullptr;
  Form6 = nullptr;
  Form7 = nullptr;
  CurrentSoundPath.clear();
  SecondsLeft = 0;
  FadeOutEnabled = false;
  FinishCommand = 0;
  MusicIndex = 0;
}

}  // namespace somnara
