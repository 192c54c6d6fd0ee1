// Starting the game with the selected mod and the chosen options.
#include "frame/quorvant_frame.h"
#include "launch/game_command.h"

#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <algorithm>
#include <vector>

void QuorvantFrame::OnRunMod(wxCommandEvent&)
{
    if (m_modSelected)
        LaunchSelectedMod();
}

void QuorvantFrame::LaunchSelectedMod()
{
    const int row = m_modListBox->GetSelection();
    if (row == wxNOT_FOUND || static_cast<size_t>(row) >= m_modDisplayNames->size())
        return;
    const wxString entry = (*m_modDisplayNames)[row];
    LaunchOptions options;
    options.devMode = m_devMode;
    options.noMovies = m_noMovies;
    options.forceHighPoly = m_forceHighPoly;
    options.allAIMode = m_allAIMode;

    if (wxMessageBox(BuildLaunchQuestion(entry, options), "Start Mod?", wxYES_NO) != wxYES)
        return;

    if (m_allAIMode) {
        if (!SetAllAIMode(true)) {
            wxMessageBox("Unable to run the mod with All AI Mode activated.", "Unable To Run Mod",
                         wxICON_ERROR);
            return;
        }
    } else if (IsAllAIModeActive() && !SetAllAIMode(false)) {
        wxMessageBox("Unable to remove the All AI Mode command from the autoexec.lua file. You "
                     "will need to remove it manually to run the mod without All AI Mode being "
                     "activated.",
                     "Unable to Remove Command", wxICON_ERROR);
        return;
    }

    // An asynchronous start reports success even when the program cannot run, so look first.
    wxString searchPath;
    if (!wxGetEnv("PATH", &searchPath))
        searchPath.clear();
    const GameStart start = PrepareGameStart(
        BuildGameArguments(m_gameDirectory, m_gameExecutable, entry, options), searchPath);
    if (!start.problem.empty()) {
        wxMessageBox(start.problem, "Unable To Run Mod", wxICON_ERROR);
        return;
    }

    // Arguments go to the game as the file system spells names, never through a shell.
    std::vector<wxCharBuffer> encoded;
    encoded.reserve(start.command.size());
    for (const wxString& argument : start.command) {
        const wxCharBuffer name = argument.fn_str();
        encoded.push_back(name.data() ? name : argument.utf8_str());
    }
    std::vector<const char*> argv(encoded.size() + 1, nullptr);
    std::transform(encoded.begin(), encoded.end(), argv.begin(),
                   [](const wxCharBuffer& argument) { return argument.data(); });

    // The game finds its data and writes warnings.log relative to its working folder.
    wxExecuteEnv environment;
    environment.cwd = m_gameDirectory;
    long pid = 0;
    {
        // A failed fork is told in the box below, not a second time by the toolkit's log.
        const wxLogNull quiet;
        pid = wxExecute(argv.data(), wxEXEC_ASYNC, nullptr, &environment);
    }
    if (pid == 0)
        wxMessageBox(StartFailureMessage(start.command[0]), "Unable To Run Mod", wxICON_ERROR);
}
