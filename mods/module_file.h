// What the readers of module files share with the required-mods check.
#pragma once

#include <wx/string.h>

class GameTextFile;

namespace module_file {

// Every line of a module file that begins with this is one required-mod entry.
constexpr const char* requiredModKey = "RequiredMod.";
// The one entry of a mod that requires no other.
constexpr const char* noModsRequired = "No mods required to run!";

// Opens the file with automatic encoding detection; the caller reports a failure in its own box.
bool Open(GameTextFile& file);

} // namespace module_file
