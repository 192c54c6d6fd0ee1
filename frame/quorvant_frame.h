// The main window: all of the program's state, its ids and its event table.
#pragma once

#include <wx/frame.h>
#include <wx/string.h>
#include <wx/arrstr.h>

#include <memory>

class wxButton;
class wxCheckBox;
class wxListBox;
class wxMenu;
class wxStatusBar;
class GameFolder;
namespace module_file {
class Lines;
}

enum
{
    ID_START_BUTTON = 1000,
    ID_DEV_CHECKBOX = 1001,
    ID_NOMOVIES_CHECKBOX = 1002,
    ID_FORCEHIGHPOLY_CHECKBOX = 1003,
    ID_ALLAI_CHECKBOX = 1004,
    ID_MOD_LISTBOX = 1005,
    ID_REQUIRED_MOD_LISTBOX = 1006,
    ID_SHOW_ALL_MODS = 1007,
    ID_SHOW_FATAL_DATA_ERRORS = 1008
};

class QuorvantFrame : public wxFrame
{
public:
    QuorvantFrame(wxWindow* parent, const wxString& title);
    ~QuorvantFrame() override;

    // Lifecycle (frame/)
    void OnClose(wxCloseEvent& event);

    // Layout and the option handlers (frame/)
    bool BuildInterface();
    void OnExit(wxCommandEvent& event);
    void OnDevModeChecked(wxCommandEvent& event);
    void OnNoMoviesChecked(wxCommandEvent& event);
    void OnForceHighPolyChecked(wxCommandEvent& event);
    void OnAllAIModeChecked(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);

    // The game installation (game/)
    bool SelectGameDirectory();

    // Module files (mods/)
    wxString ReadModVersion(const wxString& moduleFile);
    static bool IsModPlayable(const wxString& moduleFile);
    bool HasModFolder(const wxString& moduleFile);
    bool ReadRequiredMods(const wxString& moduleFile);

    // The mod list (mods/)
    bool FindModuleFiles();
    bool BuildModDisplayNames();
    void RefreshModList();
    void OnShowAllMods(wxCommandEvent& event);
    void OnRefresh(wxCommandEvent& event);

    // Required mods and the verdict on the selected mod (mods/)
    void OnModSelected(wxCommandEvent& event);
    bool CheckRequiredMods(const wxString& moduleFile);

    // The All AI line of autoexec.lua (launch/)
    bool IsAllAIModeActive();
    bool SetAllAIMode(bool enable);

    // Starting the game (launch/)
    void OnRunMod(wxCommandEvent& event);
    void LaunchSelectedMod();

    // The fatal data error report (troubleshooting/)
    void OnShowFatalDataErrors(wxCommandEvent& event);
    void ShowFatalDataErrors();

private:
    bool IsRequiredModVersionCompatible(unsigned int index, const module_file::Lines& file,
                                        size_t& cursor, const GameFolder& folder);
    wxString ReadRequiredModVersion(unsigned int index, const wxString& line,
                                    const module_file::Lines& file, size_t cursor);
    bool HasModFolder(const wxString& moduleFile, const GameFolder& folder);
    void RestoreAllAIMode();

    bool m_modSelected;
    bool m_showAllMods;
    bool m_devMode;
    bool m_noMovies;
    bool m_forceHighPoly;
    bool m_allAIMode;
    wxString m_gameDirectory;
    wxString m_gameName;
    wxString m_gameExecutable;
    const std::unique_ptr<wxArrayString> m_moduleFiles;
    const std::unique_ptr<wxArrayString> m_modDisplayNames;
    const std::unique_ptr<wxArrayString> m_requiredMods;
    wxCheckBox* m_devCheckBox;
    wxCheckBox* m_noMoviesCheckBox;
    wxCheckBox* m_forceHighPolyCheckBox;
    wxCheckBox* m_allAICheckBox;
    wxButton* m_startButton;
    wxListBox* m_modListBox;
    wxListBox* m_requiredModListBox;
    wxStatusBar* m_statusBar;
    wxMenu* m_fileMenu;
    wxMenu* m_optionsMenu;

    friend class QuorvantFrameTest;

    wxDECLARE_EVENT_TABLE();
};
