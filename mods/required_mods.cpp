// The selected mod: the state of each required mod, the version check and the verdict.
#include "frame/quorvant_frame.h"
#include "game/game_folder.h"
#include "mods/module_file.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* versionCommentKeys[] = {";; Version = ", "// Version = ", "-- Version = "};

// "RequiredMod.1 = Name" names Name; an entry without "=" names its last word.
wxString RequiredModName(const wxString& entry)
{
    const int equals = entry.Find('=');
    if (equals == wxNOT_FOUND) {
        wxString trimmed = entry;
        return trimmed.Trim(true).AfterLast(' ');
    }
    const wxString value = entry.Mid(equals + 1);
    const size_t first = value.find_first_not_of(" \t");
    if (first == wxString::npos)
        return wxString();
    const size_t last = value.find_last_not_of(" \t");
    return value.substr(first, last - first + 1);
}

// The name on disk of the entry's module file; empty when the mod is not installed.
wxString FindRequiredModule(const wxString& entry, const GameFolder& folder)
{
    const wxString name = RequiredModName(entry);
    return name.empty() ? wxString() : folder.FindFile(name + ".module");
}

// Moves the cursor onto the next required-mod line, staying put when it is on one already.
bool ReachRequiredModLine(const module_file::Lines& file, size_t& cursor)
{
    while (cursor < file.GetCount() && !file.StartsWith(cursor, module_file::requiredModKey))
        ++cursor;
    return cursor < file.GetCount();
}

} // namespace

void QuorvantFrame::OnModSelected(wxCommandEvent& event)
{
    const int index = event.GetSelection();
    if (index < 0 || static_cast<size_t>(index) >= m_moduleFiles->GetCount())
        return;
    const wxString moduleFile = (*m_moduleFiles)[index];

    if (ReadRequiredMods(moduleFile)) {
        m_requiredModListBox->Clear();
        m_requiredModListBox->InsertItems(*m_requiredMods, 0);
    }
    const bool allSatisfied = CheckRequiredMods(moduleFile);
    const bool playable = IsModPlayable(moduleFile);

    const bool canPlay = playable && allSatisfied;
    if (!playable)
        m_statusBar->SetStatusText("This mod is marked as non-playable.");
    else if (!allSatisfied)
        m_statusBar->SetStatusText("This mod cannot be played.");
    else
        m_statusBar->SetStatusText("This mod can be played.");
    m_startButton->Enable(canPlay);
    m_fileMenu->Enable(wxID_EXECUTE, canPlay);
    m_modSelected = canPlay;
}

bool QuorvantFrame::CheckRequiredMods(const wxString& moduleFile)
{
    // One listing serves every entry: a listing per entry would cost entries times files.
    GameFolder folder;
    if (!folder.Open(m_gameDirectory)) {
        wxMessageBox("The directory cannot be opened.", "Cannot Open Directory", wxICON_ERROR);
        return false;
    }
    module_file::Lines file;
    if (!file.Read(moduleFile)) {
        wxMessageBox("Unable to open " + moduleFile + ".", "Unable To Open File", wxICON_ERROR);
        return false;
    }

    size_t cursor = 0;
    const size_t count = m_requiredMods->GetCount();
    size_t satisfied = 0;
    for (size_t i = 0; i < count; ++i) {
        const wxString entry = (*m_requiredMods)[i];
        if (entry.StartsWith(module_file::noModsRequired)) {
            ++satisfied;
            continue;
        }

        const wxString requiredModule = FindRequiredModule(entry, folder);
        wxString state;
        if (!requiredModule.empty() && HasModFolder(folder.PathOf(requiredModule), folder)) {
            if (IsRequiredModVersionCompatible(i, file, cursor, folder)) {
                state = " is installed!";
                ++satisfied;
            } else {
                state = " has an incompatible version installed!";
            }
        } else {
            state = " is missing!";
            // Its line is passed over, so that each later entry still meets its own comment.
            if (ReachRequiredModLine(file, cursor))
                ++cursor;
        }
        m_requiredModListBox->SetString(i, entry + state);
    }
    return satisfied == count;
}

bool QuorvantFrame::IsRequiredModVersionCompatible(unsigned int index,
                                                   const module_file::Lines& file, size_t& cursor,
                                                   const GameFolder& folder)
{
    if (!ReachRequiredModLine(file, cursor))
        return true;
    const wxString line = file.GetLine(cursor);

    const wxString requiredModule = FindRequiredModule((*m_requiredMods)[index], folder);
    const wxString installed =
        requiredModule.empty() ? wxString() : ReadModVersion(folder.PathOf(requiredModule));
    const wxString required = ReadRequiredModVersion(index, line, file, cursor);
    ++cursor;
    return required.empty() || required == installed;
}

wxString QuorvantFrame::ReadRequiredModVersion(unsigned int index, const wxString& line,
                                               const module_file::Lines& file, size_t cursor)
{
    // The first line of a file has nothing above it to carry a version.
    if (!line.StartsWith((*m_requiredMods)[index]) || cursor == 0)
        return wxString();
    wxString version;
    const bool found =
        std::any_of(std::begin(versionCommentKeys), std::end(versionCommentKeys),
                    [&](const char* key) { return file.StartsWith(cursor - 1, key, &version); });
    return found ? version : wxString();
}
