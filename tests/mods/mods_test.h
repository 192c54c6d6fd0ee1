// A fixture for the mod catalogue's tests: a Soulstorm folder with module files of the test's own.
#pragma once

#include "support/gui_test.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/menu.h>

#include <filesystem>
#include <string>

class ModsTest : public GuiTest
{
protected:
    void SetUp() override { game.WriteScript("Soulstorm.exe", "exit 0\n"); }

    // Writes `name` + ".module" and returns its path.
    wxString Module(const wxString& name, const std::string& text) const
    {
        return game.Write(name + ".module", text);
    }

    // A module file that is listed but cannot be read: a link to a file whose first byte
    // fails to read, which holds even for root, for whom no permission bit bars reading.
    wxString UnreadableModule(const wxString& name) const
    {
        const wxString path = game.PathOf(name + ".module");
        std::error_code error;
        std::filesystem::create_symlink("/proc/self/mem", std::string(path.fn_str()), error);
        EXPECT_FALSE(error) << error.message();
        return path;
    }

    // Starts the program on the game folder; a test that goes on needs the window.
    QuorvantFrame* StartGame()
    {
        QuorvantFrame* const frame = Start(game.Path());
        EXPECT_NE(frame, nullptr) << "start-up failed";
        return frame;
    }

    static wxString Unopenable(const wxString& path) { return "Unable to open " + path + "."; }
};

// Selects the row of the mod called `name`, as a click on it would.
inline void SelectMod(QuorvantFrame& frame, const wxString& name)
{
    wxListBox* const list = F::ModListBox(frame);
    for (unsigned row = 0; row < list->GetCount(); ++row) {
        if (list->GetString(row).StartsWith(name + " (Version ")) {
            ui::Select(list, static_cast<int>(row));
            return;
        }
    }
    ADD_FAILURE() << "no row for " << name;
}

// Whether the mod can be started, by every way there is to tell.
inline void ExpectStartable(QuorvantFrame& frame, bool startable)
{
    EXPECT_EQ(F::StartButton(frame)->IsEnabled(), startable);
    EXPECT_EQ(F::FileMenu(frame)->IsEnabled(wxID_EXECUTE), startable);
    EXPECT_EQ(F::ModSelected(frame), startable);
}

inline wxArrayString Strings(std::initializer_list<wxString> items)
{
    wxArrayString array;
    for (const wxString& item : items)
        array.Add(item);
    return array;
}
