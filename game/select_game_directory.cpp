// Choosing the game's executable directory and recognising which game is installed there.
#include "frame/quorvant_frame.h"
#include "game/game_folder.h"
#include "resources/mod_manager_icon.h"

#include <wx/choicdlg.h>
#include <wx/dirdlg.h>
#include <wx/msgdlg.h>

#include <array>

namespace {
struct Game
{
    const char* executable;
    const char* name;
};

// The order of detection, of the choice offered and of the preference.
constexpr std::array<Game, 4> Games{{
    {"W40k.exe", "Dawn of War"},
    {"W40kWA.exe", "Winter Assault"},
    {"darkcrusade.exe", "Dark Crusade"},
    {"Soulstorm.exe", "Soulstorm"},
}};
} // namespace

bool QuorvantFrame::SelectGameDirectory()
{
    wxDirDialog dialog(nullptr,
                       "Select executable directory of Dawn of War/Winter Assault/Dark "
                       "Crusade/Soulstorm",
                       wxString(), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    dialog.SetIcons(ModManagerIcon());
    if (dialog.ShowModal() == wxID_CANCEL)
        return false;
    m_gameDirectory = dialog.GetPath();

    GameFolder folder;
    if (!folder.Open(m_gameDirectory)) {
        wxMessageBox("The directory you have chosen cannot be opened.", "Cannot Open Directory",
                     wxICON_ERROR);
        return false;
    }

    // The name as it is on disk, so that the launch can start it.
    std::array<wxString, Games.size()> found;
    wxArrayString foundNames;
    for (size_t row = 0; row < Games.size(); ++row) {
        found[row] = folder.FindFile(Games[row].executable);
        if (!found[row].empty())
            foundNames.Add(Games[row].name);
    }

    if (foundNames.empty()) {
        wxMessageBox(
            "You must choose a directory with either the Dawn of War, Winter Assault, Dark "
            "Crusade or Soulstorm executable inside it.",
            "Game Executable Not Found", wxICON_ERROR);
        return false;
    }

    wxString chosen = foundNames[0];
    if (foundNames.size() > 1) {
        chosen = wxGetSingleChoice("There is more than one Dawn of War executable detected in the "
                                   "directory you have chosen.\nPlease select which game you wish "
                                   "to play.",
                                   "Choose Game", foundNames, nullptr, -1, -1, true, 200, 150, 0);
    }

    for (size_t row = 0; row < Games.size(); ++row) {
        if (!found[row].empty() && chosen == Games[row].name) {
            m_gameName = chosen;
            m_gameExecutable = found[row];
            return true;
        }
    }
    return false;
}
