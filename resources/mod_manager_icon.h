// The application icon "mod_manager_icon", built into the binary in all of its sizes.
#pragma once

#include <wx/iconbndl.h>

// The one picture in 16, 32, 48, 64, 128 and 256 pixels, for every window that shows the icon.
wxIconBundle ModManagerIcon();
