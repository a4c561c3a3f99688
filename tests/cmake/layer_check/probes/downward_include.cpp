// A routine source using its own folder, the modules it depends on and the layers below.
#include <string>

#include "framework/form.h"
#include "platform/platform.h"
#include "power/finish_command.h"
#include "routine/routine_values.h"
#include "settings/settings.h"
#include "skin/styles/sui_style.h"
#include "sound/media.h"
#include "widget.h"
