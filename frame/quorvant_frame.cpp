// The main window's lifecycle: construction with the start-up chain, closing, the event table.
#include "frame/quorvant_frame.h"

namespace {
// The default frame style without a resize border and maximise box: the contents fix the size.
constexpr long FrameStyle =
    wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxCLIP_CHILDREN;
} // namespace

QuorvantFrame::QuorvantFrame(wxWindow* parent, const wxString& title)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, FrameStyle),
      m_modSelected(false), m_showAllMods(false), m_devMode(false), m_noMovies(false),
      m_forceHighPoly(false), m_allAIMode(false), m_moduleFiles(std::make_unique<wxArrayString>()),
      m_modDisplayNames(std::make_unique<wxArrayString>()),
      m_requiredMods(std::make_unique<wxArrayString>()), m_devCheckBox(nullptr),
      m_noMoviesCheckBox(nullptr), m_forceHighPolyCheckBox(nullptr), m_allAICheckBox(nullptr),
      m_startButton(nullptr), m_modListBox(nullptr), m_requiredModListBox(nullptr),
      m_statusBar(nullptr), m_fileMenu(nullptr), m_optionsMenu(nullptr)
{
    // Each step has told the user about its own failure (or the user cancelled).
    if (!(SelectGameDirectory() && FindModuleFiles() && BuildModDisplayNames() &&
          BuildInterface())) {
        Close(false);
        return;
    }
    RestoreAllAIMode();
}

QuorvantFrame::~QuorvantFrame() = default;

void QuorvantFrame::OnClose(wxCloseEvent&)
{
    Destroy();
}

// clang-format off
wxBEGIN_EVENT_TABLE(QuorvantFrame, wxFrame)
    EVT_CLOSE(QuorvantFrame::OnClose)
    EVT_MENU(wxID_EXECUTE, QuorvantFrame::OnRunMod)
    EVT_MENU(ID_SHOW_FATAL_DATA_ERRORS, QuorvantFrame::OnShowFatalDataErrors)
    EVT_MENU(ID_SHOW_ALL_MODS, QuorvantFrame::OnShowAllMods)
    EVT_MENU(wxID_REFRESH, QuorvantFrame::OnRefresh)
    EVT_MENU(wxID_EXIT, QuorvantFrame::OnExit)
    EVT_MENU(wxID_ABOUT, QuorvantFrame::OnAbout)
    EVT_CHECKBOX(ID_DEV_CHECKBOX, QuorvantFrame::OnDevModeChecked)
    EVT_CHECKBOX(ID_NOMOVIES_CHECKBOX, QuorvantFrame::OnNoMoviesChecked)
    EVT_CHECKBOX(ID_FORCEHIGHPOLY_CHECKBOX, QuorvantFrame::OnForceHighPolyChecked)
    EVT_CHECKBOX(ID_ALLAI_CHECKBOX, QuorvantFrame::OnAllAIModeChecked)
    EVT_BUTTON(ID_START_BUTTON, QuorvantFrame::OnRunMod)
    EVT_LISTBOX(ID_MOD_LISTBOX, QuorvantFrame::OnModSelected)
    EVT_LISTBOX_DCLICK(ID_MOD_LISTBOX, QuorvantFrame::OnRunMod)
wxEND_EVENT_TABLE()
