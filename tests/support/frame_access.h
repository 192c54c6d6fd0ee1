// Read and write access to the main window's members, for the tests only.
#pragma once

#include "frame/quorvant_frame.h"

// The frame names this class its friend; tests reach its state through it.
class QuorvantFrameTest
{
public:
    static bool& ModSelected(QuorvantFrame& f) { return f.m_modSelected; }
    static bool& ShowAllMods(QuorvantFrame& f) { return f.m_showAllMods; }
    static bool& DevMode(QuorvantFrame& f) { return f.m_devMode; }
    static bool& NoMovies(QuorvantFrame& f) { return f.m_noMovies; }
    static bool& ForceHighPoly(QuorvantFrame& f) { return f.m_forceHighPoly; }
    static bool& AllAIMode(QuorvantFrame& f) { return f.m_allAIMode; }
    static wxString& GameDirectory(QuorvantFrame& f) { return f.m_gameDirectory; }
    static wxString& GameName(QuorvantFrame& f) { return f.m_gameName; }
    static wxString& GameExecutable(QuorvantFrame& f) { return f.m_gameExecutable; }
    static wxArrayString& ModuleFiles(QuorvantFrame& f) { return *f.m_moduleFiles; }
    static wxArrayString& ModDisplayNames(QuorvantFrame& f) { return *f.m_modDisplayNames; }
    static wxArrayString& RequiredMods(QuorvantFrame& f) { return *f.m_requiredMods; }
    static wxCheckBox* DevCheckBox(QuorvantFrame& f) { return f.m_devCheckBox; }
    static wxCheckBox* NoMoviesCheckBox(QuorvantFrame& f) { return f.m_noMoviesCheckBox; }
    static wxCheckBox* ForceHighPolyCheckBox(QuorvantFrame& f) { return f.m_forceHighPolyCheckBox; }
    static wxCheckBox* AllAICheckBox(QuorvantFrame& f) { return f.m_allAICheckBox; }
    static wxButton* StartButton(QuorvantFrame& f) { return f.m_startButton; }
    static wxListBox* ModListBox(QuorvantFrame& f) { return f.m_modListBox; }
    static wxListBox* RequiredModListBox(QuorvantFrame& f) { return f.m_requiredModListBox; }
    static wxStatusBar* StatusBar(QuorvantFrame& f) { return f.m_statusBar; }
    static wxMenu* FileMenu(QuorvantFrame& f) { return f.m_fileMenu; }
    static wxMenu* OptionsMenu(QuorvantFrame& f) { return f.m_optionsMenu; }
};
