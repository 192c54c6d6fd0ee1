// The All AI line of the game's autoexec.lua: the test, the edit, and the restore at start-up.
#include "frame/quorvant_frame.h"
#include "game/game_folder.h"
#include "launch/script_edit.h"

#include <wx/checkbox.h>
#include <wx/msgdlg.h>

#include <string>
#include <sys/stat.h>

namespace {

const char* const scriptName = "autoexec.lua";

// The script as the game finds it, whatever its letter case; the usual name when there is none.
wxString ScriptPath(const wxString& gameDirectory, bool& exists)
{
    GameFolder folder;
    const wxString found = folder.Open(gameDirectory) ? folder.FindFile(scriptName) : wxString();
    const wxString path = folder.PathOf(found.empty() ? wxString(scriptName) : found);
    // What holds the name without being a readable file (a FIFO, a dangling link) is never
    // replaced by a new script.
    struct stat info;
    exists = !found.empty() || lstat(path.fn_str(), &info) == 0;
    return path;
}

} // namespace

// Read through the same byte engine as the edit, so that the two never disagree: the toolkit's
// text reader finds no lines at all in a file with a byte-order mark and a bad byte after it.
bool QuorvantFrame::IsAllAIModeActive()
{
    bool exists = false;
    const wxString path = ScriptPath(m_gameDirectory, exists);
    std::string bytes;
    return exists && ReadFileBytes(path, bytes) == FileReadResult::Read && HasAllAILine(bytes);
}

bool QuorvantFrame::SetAllAIMode(bool enable)
{
    bool exists = false;
    const wxString path = ScriptPath(m_gameDirectory, exists);
    std::string bytes;
    if (exists && ReadFileBytes(path, bytes) != FileReadResult::Read) {
        wxMessageBox("The autoexec.lua file could not be opened. It may be corrupted.",
                     "Unable To Open File", wxICON_ERROR);
        return false;
    }

    // A script already in the wanted state is left alone, and a missing one stays missing
    // unless the line has to be put in.
    if (HasAllAILine(bytes) == enable)
        return true;
    const std::string edited = enable ? AddAllAILine(bytes) : RemoveAllAILines(bytes);
    // An edit that cannot bring the script into the wanted state is not written as a success.
    if (HasAllAILine(edited) != enable || !ReplaceFileAtomically(path, edited)) {
        wxMessageBox("Unable to write to the autoexec.lua file.", "Unable To Write To The File",
                     wxICON_ERROR);
        return false;
    }
    return true;
}

void QuorvantFrame::RestoreAllAIMode()
{
    if (!IsAllAIModeActive())
        return;
    // SetValue sends no event, so the options are recorded here rather than by their handlers.
    m_devMode = true;
    m_devCheckBox->SetValue(true);
    m_allAIMode = true;
    m_allAICheckBox->Enable(true);
    m_allAICheckBox->SetValue(true);
}
