// The list of mods: which module files are listed, the text of each row, and rebuilding both.
#include "frame/quorvant_frame.h"
#include "game/game_folder.h"

#include <wx/button.h>
#include <wx/filename.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

bool QuorvantFrame::FindModuleFiles()
{
    GameFolder folder;
    if (!folder.Open(m_gameDirectory)) {
        wxMessageBox("The directory you have chosen cannot be opened.", "Cannot Open Directory",
                     wxICON_ERROR);
        return false;
    }
    const wxArrayString found = folder.FilesEndingWith(".module");
    m_moduleFiles->Alloc(m_moduleFiles->GetCount() + found.GetCount());
    for (const wxString& path : found)
        m_moduleFiles->Add(path);

    if (m_moduleFiles->IsEmpty()) {
        wxMessageBox("There are no module files found in the selected directory.",
                     "No Module Files Found", wxICON_ERROR);
        return false;
    }
    return true;
}

bool QuorvantFrame::BuildModDisplayNames()
{
    // Collected anew rather than removed in place: removal from the middle of an array moves
    // every later entry, once for each mod dropped.
    wxArrayString listed;
    listed.Alloc(m_moduleFiles->GetCount());
    m_modDisplayNames->Alloc(m_modDisplayNames->GetCount() + m_moduleFiles->GetCount());
    for (const wxString& path : *m_moduleFiles) {
        if (!m_showAllMods && !IsModPlayable(path))
            continue;
        listed.Add(path);
        const wxString name = wxFileName(path, wxPATH_NATIVE).GetName();
        m_modDisplayNames->Add(name + " (Version " + ReadModVersion(path) + ")");
    }
    m_moduleFiles->swap(listed);

    if (m_modDisplayNames->IsEmpty()) {
        wxMessageBox("Unable to extract the names of the mods.", "No Mod Names Extracted",
                     wxICON_ERROR);
        return false;
    }
    return true;
}

void QuorvantFrame::RefreshModList()
{
    m_moduleFiles->Clear();
    m_modDisplayNames->Clear();
    m_requiredMods->Clear();

    m_modListBox->Clear();
    m_requiredModListBox->Clear();

    m_modSelected = false;
    m_startButton->Disable();
    m_fileMenu->Enable(wxID_EXECUTE, false);

    // Each reports its own failure; an empty list is what the user then sees.
    FindModuleFiles();
    BuildModDisplayNames();

    if (!m_modDisplayNames->IsEmpty())
        m_modListBox->InsertItems(*m_modDisplayNames, 0);
}

void QuorvantFrame::OnShowAllMods(wxCommandEvent& event)
{
    m_showAllMods = event.IsChecked();
    m_statusBar->SetStatusText(m_showAllMods ? "All mods are now shown."
                                             : "Only playable mods are now shown.");
    RefreshModList();
}

void QuorvantFrame::OnRefresh(wxCommandEvent&)
{
    m_statusBar->SetStatusText("Refreshing mod list...");
    RefreshModList();
    m_statusBar->SetStatusText("Mod list has been refreshed.");
}
