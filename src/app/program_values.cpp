#include "app/program_values.h"

#include "routine/routine_values.h"
#include "sound/current_sound.h"

namespace somnara {

app::TForm1* Form1 = nullptr;
app::TForm2* Form2 = nullptr;
app::TForm7* Form7 = nullptr;

void ResetProgramValues() {
  Form1 = nullptr;
  Form2 = nullptr;
  Form7 = nullptr;
  ResetRoutineValues();
  sound::CurrentSoundPath.clear();
}

}  // namespace somnara
