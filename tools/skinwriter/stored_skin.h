#pragma once

#include <cstdint>
#include <vector>

#include "skinwriter/skin_archive_writer.h"

namespace somnara::skinwriter {

// The item container of the skin stored in the program: 31 pictures, 43 integer items
// (32 colours, 9 title-bar and region numbers, 2 spare system colours) and 9 switches.
std::vector<uint8_t> BuildStoredSkinContainer();

// The complete skin file: the container deflated as the one entry SKINDATA.SK2. The program
// stores it without a password.
std::vector<uint8_t> BuildStoredSkin(const EntryOptions& options = {});

}  // namespace somnara::skinwriter
