// What the readers of module files share with the required-mods check.
#pragma once

#include <wx/string.h>

class GameTextFile;

namespace module_file {

// Every line of a module file that begins with this is one required-mod entry.
extern const wxString requiredModKey;
// The one entry of a mod that requires no other.
extern const wxString noModsRequired;

// Opens the file with automatic encoding detection; the caller reports a failure in its own box.
bool Open(GameTextFile& file);

} // namespace module_file
