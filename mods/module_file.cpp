// The four readers of a module file: version, Playable flag, mod folder and required mods.
#include "frame/quorvant_frame.h"
#include "game/game_file.h"
#include "game/game_folder.h"
#include "mods/module_file.h"

#include <wx/msgdlg.h>

#include <string>

namespace {

// Plain characters: a static wxString could throw before main, where nothing can catch it.
constexpr const char* versionKey = "ModVersion = ";
constexpr const char* playableKey = "Playable = ";
constexpr const char* modFolderKey = "ModFolder = ";

using module_file::Lines;

bool OpenOrReport(Lines& file, const wxString& path, const wxString& caption)
{
    if (file.Read(path))
        return true;
    wxMessageBox("Unable to open " + path + ".", caption, wxICON_ERROR);
    return false;
}

// The value behind `key` on the first line that carries it.
bool FindFirstValue(const Lines& file, const wxString& key, wxString& value)
{
    for (size_t i = 0; i < file.GetCount(); ++i) {
        if (file.StartsWith(i, key, &value))
            return true;
    }
    return false;
}

bool NamesExistingFolder(const Lines& file, const GameFolder& folder)
{
    wxString name;
    if (!FindFirstValue(file, modFolderKey, name))
        return false;
    // Windows drops trailing blanks from a path, so the game finds the folder without them.
    name.Trim(true);
    return !name.empty() && folder.HasDirectory(name);
}

} // namespace

wxString QuorvantFrame::ReadModVersion(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable To Open File"))
        return "error";
    wxString version;
    FindFirstValue(file, versionKey, version);
    return version;
}

bool QuorvantFrame::IsModPlayable(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable To Open File"))
        return false;
    wxString playable;
    return FindFirstValue(file, playableKey, playable) && playable == "1";
}

bool QuorvantFrame::HasModFolder(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable to open file."))
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
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable to open file."))
        return false;
    return NamesExistingFolder(file, folder);
}

bool QuorvantFrame::ReadRequiredMods(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable To Open File"))
        return false;
    m_requiredMods->Clear();
    for (size_t i = 0; i < file.GetCount(); ++i) {
        if (file.StartsWith(i, module_file::requiredModKey))
            m_requiredMods->Add(file.GetLine(i));
    }
    if (m_requiredMods->IsEmpty())
        m_requiredMods->Add(module_file::noModsRequired);
    return true;
}
