// The run state shared by the main window, the checks and the alert popups. A leaf: it depends on
// nothing, so the core and the popups can use it without linking the program.
#pragma once

#include <cstdint>

namespace quendrel {

// True in the running state; only the new-message path reads it.
extern bool Working;
// Alert popups on screen; FormCreate resets it, the alerts and their popups move it.
extern int32_t PopupCount;

}  // namespace quendrel
