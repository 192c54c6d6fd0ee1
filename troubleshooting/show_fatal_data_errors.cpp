// The Troubleshooting command that reports the fatal data errors of the game's warnings.log.
#include "frame/quorvant_frame.h"
#include "game/game_file.h"
#include "game/game_folder.h"
#include "troubleshooting/fatal_errors.h"

#include <wx/convauto.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/textfile.h>

void QuorvantFrame::OnShowFatalDataErrors(wxCommandEvent&)
{
    ShowFatalDataErrors();
}

void QuorvantFrame::ShowFatalDataErrors()
{
    GameFolder folder;
    const wxString name = folder.Open(m_gameDirectory) ? folder.FindFile("warnings.log") : "";
    GameTextFile log;
    bool opened = false;
    if (!name.empty()) {
        // The box below says what went wrong; the toolkit's own log message would say it twice.
        const wxLogNull quiet;
        opened = log.Open(folder.PathOf(name), wxConvAuto());
    }
    if (!opened) {
        wxMessageBox("The warnings.log file could not be found/opened.", "Unable To Open File",
                     wxICON_ERROR);
        return;
    }

    FatalErrorReport report;
    for (size_t i = 0; i < log.GetLineCount(); ++i)
        report.AddLine(log[i]);
    log.Close();

    if (report.IsEmpty()) {
        wxMessageBox("No Fatal Data Errors found in the warnings.log file.",
                     "No Fatal Data Errors Found", wxOK | wxCENTRE);
        return;
    }
    wxMessageBox(report.GetText(), "Fatal Data Errors Found", wxICON_ERROR);
}
