// The program-wide variables every part of the program shares.
#pragma once

#include "core/RunState.h"  // Working, PopupCount

namespace quendrel {

class TForm1;

// The one main window; set by its constructor, before FormCreate runs.
extern TForm1* Form1;

}  // namespace quendrel
