// A routine source that reaches up into the application shell.
#include "routine/routine_values.h"

#include "app/main_window.h"
#include "sound/media.h"
