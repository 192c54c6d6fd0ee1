// The Troubleshooting command that reports the fatal data errors of the game's warnings.log.
#include "frame/quorvant_frame.h"
#include "game/game_folder.h"
#include "game/game_file.h"
#include "troubleshooting/fatal_errors.h"

#include <wx/msgdlg.h>

#include <limits>
#include <string>

void QuorvantFrame::OnShowFatalDataErrors(wxCommandEvent&)
{
    ShowFatalDataErrors();
}

void QuorvantFrame::ShowFatalDataErrors()
{
    GameFolder folder;
    const wxString name = folder.Open(m_gameDirectory) ? folder.FindFile("warnings.log") : "";
    std::string bytes;
    if (name.empty() || ReadFileBytes(folder.PathOf(name), bytes,
                                      std::numeric_limits<size_t>::max()) != FileReadResult::Read) {
        wxMessageBox("The warnings.log file could not be found/opened.", "Unable To Open File",
                     wxICON_ERROR);
        return;
    }

    FatalErrorReport report;
    CollectFatalErrors(bytes, report);

    if (report.IsEmpty()) {
        wxMessageBox("No Fatal Data Errors found in the warnings.log file.",
                     "No Fatal Data Errors Found", wxOK | wxCENTRE);
        return;
    }
    wxMessageBox(report.GetText(), "Fatal Data Errors Found", wxICON_ERROR);
}
