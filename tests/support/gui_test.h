// The fixture for tests of the real main window, and the user's actions on it.
#pragma once

#include "frame/quorvant_frame.h"
#include "support/dialogs.h"
#include "support/frame_access.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

class wxCheckBox;
class wxListBox;

using F = QuorvantFrameTest;

class GuiTest : public testing::Test
{
protected:
    void TearDown() override;

    // Starts the program as its application object does; every dialog of start-up, the
    // directory chooser first, must be expected beforehand. Returns the shown main window, or
    // nullptr when start-up ended without one.
    QuorvantFrame* Run();
    // Runs the program with the directory chooser answered by `directory`.
    QuorvantFrame* Start(const wxString& directory);

    // Lets the toolkit deliver pending events and delete the windows scheduled for deletion.
    static void ProcessEvents();
    // Whether any top-level window, closed or not, has not yet been deleted.
    static bool AnyWindowLeft();

    // Makes `game` a minimal installation: a stand-in `executable` that records how it was
    // started (see StartedWith) and one playable mod, "Demo.module".
    void InstallGame(const wxString& executable) const;
    // Installs a Soulstorm game with the file `name` holding `bytes`, and starts on it.
    QuorvantFrame* StartWithFile(const wxString& name, const std::string& bytes);

    TempFolder game;
};

// The demo game folder of the source tree, and one of its files' bytes ("<missing>" if none).
std::string DemoFolder();
std::string ReadDemoFile(const std::string& name);

// What the user does, sent as the controls themselves send it.
namespace ui {
void Toggle(wxCheckBox* box);
void Select(wxListBox* list, int row);
void DoubleClick(wxListBox* list, int row);
// Chooses a menu item of the frame; a check item changes its state first, as the toolkit does.
void ChooseMenu(QuorvantFrame& frame, int id);
wxString StatusText(QuorvantFrame& frame);
wxArrayString Rows(wxListBox* list);
} // namespace ui
