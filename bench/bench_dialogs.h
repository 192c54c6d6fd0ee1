// The benchmark's answers to the program's modal dialogs.
#pragma once

#include <wx/string.h>

#include <vector>

namespace bench_dialogs {

// The directory chooser is shown and accepts this folder from inside its modal loop; every
// message box is answered unshown (OK, or Yes to a question) and its title recorded.
void SetDirectory(const wxString& folder);

// The titles of the boxes answered since the last call, in order; the record is emptied.
std::vector<wxString> TakeTitles();

// Installs the hook; called once, before the first frame.
void Install();

} // namespace bench_dialogs
