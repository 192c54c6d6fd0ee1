// The window's status bar, menus, controls and sizers, and the handlers that record an option.
#include "frame/quorvant_frame.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {
// Made when needed: a static object of the toolkit could throw before main, out of any reach.
wxSizerFlags Spaced()
{
    return wxSizerFlags(1).Border(wxALL, 5);
}
wxSizerFlags Tight()
{
    return wxSizerFlags(0).Border(wxALL, 0);
}
wxSizerFlags SpacedRight()
{
    return wxSizerFlags(1).Border(wxALL, 5).Right();
}
// Expanding overrides an alignment, which the toolkit rejects beside it.
wxSizerFlags SpacedExpand()
{
    return wxSizerFlags(1).Border(wxALL, 5).Expand();
}

constexpr int StartButtonMinimumWidth = 195;
constexpr int StartButtonMinimumHeight = 48;
} // namespace

bool QuorvantFrame::BuildInterface()
{
    SetSizeHints(wxDefaultSize, wxDefaultSize);

    m_statusBar = CreateStatusBar(1, wxSTB_DEFAULT_STYLE);
    m_statusBar->SetStatusText(
        "Quorvant lists your mods and starts the game with the one you pick.");

    m_fileMenu = new wxMenu;
    m_fileMenu->Append(wxID_EXECUTE, "Run Mod...", "Run currently selected mod.");
    m_fileMenu->Append(wxID_REFRESH, wxString(), "Refresh mod list.");
    m_fileMenu->Append(wxID_EXIT, wxString(), "Exit the Quorvant.");
    m_fileMenu->Enable(wxID_EXECUTE, false);

    auto* const troubleshootingMenu = new wxMenu;
    troubleshootingMenu->Append(
        ID_SHOW_FATAL_DATA_ERRORS, "Show Fatal Data Errors",
        "Show any Fatal Data Errors printed to the warnings.log file, if any exist.");

    m_optionsMenu = new wxMenu;
    m_optionsMenu->AppendCheckItem(
        ID_SHOW_ALL_MODS, "Show All Mods",
        "Shows all mods, including ones that are marked as non-playable.");

    auto* const helpMenu = new wxMenu;
    helpMenu->Append(wxID_ABOUT, wxString(), "Show information about the Quorvant.");

    auto* const menuBar = new wxMenuBar;
    menuBar->Append(m_fileMenu, "File");
    menuBar->Append(troubleshootingMenu, "Troubleshooting");
    menuBar->Append(m_optionsMenu, "Options");
    menuBar->Append(helpMenu, "Help");
    SetMenuBar(menuBar);

    auto* const mainSizer = new wxFlexGridSizer(2, 1, 1);
    auto* const topSizer = new wxFlexGridSizer(2, 1, 1);
    auto* const directorySizer = new wxBoxSizer(wxHORIZONTAL);
    directorySizer->Add(
        new wxStaticText(this, wxID_ANY, "Your current " + m_gameName + " directory:"), Spaced());
    // Right alignment has no effect inside a horizontal box sizer and the toolkit rejects it there,
    // here and for the start button.
    directorySizer->Add(new wxTextCtrl(this, wxID_ANY, m_gameDirectory, wxDefaultPosition,
                                       wxDefaultSize, wxTE_READONLY),
                        Spaced());

    auto* const optionsSizer = new wxBoxSizer(wxVERTICAL);
    optionsSizer->Add(new wxStaticText(this, wxID_ANY, "Advanced Start Options:"), Spaced());
    m_devCheckBox = new wxCheckBox(this, ID_DEV_CHECKBOX, "-dev: Developer Mode");
    m_noMoviesCheckBox = new wxCheckBox(this, ID_NOMOVIES_CHECKBOX, "-nomovies: No Intro Movies");
    m_forceHighPolyCheckBox = new wxCheckBox(this, ID_FORCEHIGHPOLY_CHECKBOX,
                                             "-forcehighpoly: High Poly Models at any Distance");
    m_allAICheckBox =
        new wxCheckBox(this, ID_ALLAI_CHECKBOX,
                       "All AI Mode: All players are controlled by the AI (requires -dev switch).");
    m_allAICheckBox->Enable(false);
    for (wxCheckBox* const box :
         {m_devCheckBox, m_noMoviesCheckBox, m_forceHighPolyCheckBox, m_allAICheckBox})
        optionsSizer->Add(box, Tight());

    auto* const startSizer = new wxBoxSizer(wxHORIZONTAL);
    m_startButton =
        new wxButton(this, ID_START_BUTTON, "Start " + m_gameName + " With Selected Mod");
    // The label decides the width where the theme's font needs more than the usual size.
    const wxSize best = m_startButton->GetBestSize();
    m_startButton->SetInitialSize(wxSize(std::max(StartButtonMinimumWidth, best.x),
                                         std::max(StartButtonMinimumHeight, best.y)));
    m_startButton->Enable(false);
    startSizer->AddSpacer(100);
    startSizer->Add(m_startButton, Spaced());

    topSizer->Add(directorySizer, Spaced());
    topSizer->AddSpacer(0);
    topSizer->Add(optionsSizer, Spaced());
    topSizer->Add(startSizer, SpacedRight());

    auto* const listsSizer = new wxFlexGridSizer(2, 1, 1);
    const wxSize listSize(375, 407);
    // A state line such as "... has an incompatible version installed!" is wider than the list:
    // it scrolls rather than losing its end.
    const long listStyle = wxLB_SINGLE | wxLB_HSCROLL;
    m_modListBox = new wxListBox(this, ID_MOD_LISTBOX, wxDefaultPosition, listSize,
                                 *m_modDisplayNames, listStyle);
    m_requiredModListBox = new wxListBox(this, ID_REQUIRED_MOD_LISTBOX, wxDefaultPosition, listSize,
                                         *m_requiredMods, listStyle);
    listsSizer->Add(new wxStaticText(this, wxID_ANY, "Currently Installed Mods"), Spaced());
    listsSizer->Add(new wxStaticText(this, wxID_ANY, "Required Mods"), SpacedExpand());
    listsSizer->Add(m_modListBox, Spaced());
    listsSizer->Add(m_requiredModListBox, SpacedRight());

    mainSizer->Add(topSizer, Spaced());
    mainSizer->AddSpacer(0);
    mainSizer->Add(listsSizer, Spaced());

    SetSizer(mainSizer);
    Layout();
    mainSizer->Fit(this);
    return true;
}

void QuorvantFrame::OnExit(wxCommandEvent&)
{
    Close(false);
}

void QuorvantFrame::OnDevModeChecked(wxCommandEvent& event)
{
    if (event.IsChecked()) {
        m_devMode = true;
        m_allAICheckBox->Enable(true);
        return;
    }
    m_devMode = false;
    m_allAIMode = false;
    m_allAICheckBox->SetValue(false);
    m_allAICheckBox->Enable(false);
}

void QuorvantFrame::OnNoMoviesChecked(wxCommandEvent& event)
{
    m_noMovies = event.IsChecked();
}

void QuorvantFrame::OnForceHighPolyChecked(wxCommandEvent& event)
{
    m_forceHighPoly = event.IsChecked();
}

void QuorvantFrame::OnAllAIModeChecked(wxCommandEvent& event)
{
    m_allAIMode = event.IsChecked();
}
