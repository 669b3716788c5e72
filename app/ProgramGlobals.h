// The program-wide variables every part of the program shares.
#pragma once

#include <cstdint>

namespace quendrel {

class TForm1;

// The one main window; set by its constructor, before FormCreate runs.
extern TForm1* Form1;
// True in the running state; only the new-message path reads it.
extern bool Working;
// Alert popups on screen; FormCreate resets it, the alerts and their popups move it.
extern int32_t PopupCount;

}  // namespace quendrel
