// The four readers of a module file: version, Playable flag, mod folder and required mods.
#include "frame/quorvant_frame.h"
#include "game/game_file.h"
#include "game/game_folder.h"
#include "mods/module_file.h"

#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/textfile.h>

namespace {

// Plain characters: a static wxString could throw before main, where nothing can catch it.
constexpr const char* versionKey = "ModVersion = ";
constexpr const char* playableKey = "Playable = ";
constexpr const char* modFolderKey = "ModFolder = ";

bool OpenOrReport(GameTextFile& file, const wxString& caption)
{
    if (module_file::Open(file))
        return true;
    wxMessageBox("Unable to open " + file.GetName() + ".", caption, wxICON_ERROR);
    return false;
}

// The value behind `key` on the first line that carries it.
bool FindFirstValue(const wxTextFile& file, const wxString& key, wxString& value)
{
    for (size_t i = 0; i < file.GetLineCount(); ++i) {
        if (file.GetLine(i).StartsWith(key, &value))
            return true;
    }
    return false;
}

bool NamesExistingFolder(const wxTextFile& file, const GameFolder& folder)
{
    wxString name;
    if (!FindFirstValue(file, modFolderKey, name))
        return false;
    // Windows drops trailing blanks from a path, so the game finds the folder without them.
    name.Trim(true);
    return !name.empty() && folder.HasDirectory(name);
}

} // namespace

bool module_file::Open(GameTextFile& file)
{
    // A file that cannot be opened is reported by a box of our own, not by the log window.
    wxLogNull noLog;
    return file.Open();
}

wxString QuorvantFrame::ReadModVersion(const wxString& moduleFile)
{
    GameTextFile file(moduleFile);
    if (!OpenOrReport(file, "Unable To Open File"))
        return "error";
    wxString version;
    FindFirstValue(file, versionKey, version);
    return version;
}

bool QuorvantFrame::IsModPlayable(const wxString& moduleFile)
{
    GameTextFile file(moduleFile);
    if (!OpenOrReport(file, "Unable To Open File"))
        return false;
    wxString playable;
    return FindFirstValue(file, playableKey, playable) && playable == "1";
}

bool QuorvantFrame::HasModFolder(const wxString& moduleFile)
{
    GameTextFile file(moduleFile);
    if (!OpenOrReport(file, "Unable to open file."))
        return false;
    GameFolder folder;
    if (!folder.Open(m_gameDirectory)) {
        wxMessageBox("The directory cannot be opened.", "Cannot Open Directory", wxOK | wxCENTRE);
        return false;
    }
    return NamesExistingFolder(file, folder);
}

bool QuorvantFrame::HasModFolder(const wxString& moduleFile, const GameFolder& folder)
{
    GameTextFile file(moduleFile);
    if (!OpenOrReport(file, "Unable to open file."))
        return false;
    return NamesExistingFolder(file, folder);
}

bool QuorvantFrame::ReadRequiredMods(const wxString& moduleFile)
{
    GameTextFile file(moduleFile);
    if (!OpenOrReport(file, "Unable To Open File"))
        return false;
    m_requiredMods->Clear();
    for (size_t i = 0; i < file.GetLineCount(); ++i) {
        const wxString& line = file.GetLine(i);
        if (line.StartsWith(module_file::requiredModKey))
            m_requiredMods->Add(line);
    }
    if (m_requiredMods->IsEmpty())
        m_requiredMods->Add(module_file::noModsRequired);
    return true;
}
