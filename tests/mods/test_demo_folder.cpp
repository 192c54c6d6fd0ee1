// The demo game folder shipped with the program shows every verdict a mod can get.
#include "mods/mods_test.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class DemoFolderTest : public ModsTest
{
protected:
    void SetUp() override
    {
        fs::copy(DemoFolder(), std::string(game.Path().fn_str()),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        // The module files are the demo's; the game is a stand-in of the test's own.
        ModsTest::SetUp();
        frame = StartGame();
        ASSERT_NE(frame, nullptr);
    }

    void ExpectSelection(const wxString& mod, const wxArrayString& states, const char* status,
                         bool startable)
    {
        SelectMod(*frame, mod);
        EXPECT_EQ(ui::Rows(F::RequiredModListBox(*frame)), states) << mod;
        EXPECT_EQ(ui::StatusText(*frame), status) << mod;
        ExpectStartable(*frame, startable);
    }

    QuorvantFrame* frame = nullptr;
};

TEST_F(DemoFolderTest, ListsThePlayableModsByNameAndJudgesEach)
{
    EXPECT_EQ(ui::Rows(F::ModListBox(*frame)),
              Strings({"Ashen_Crusade (Version 0.9)", "DXP2 (Version 1.2)",
                       "Iron_Vigil (Version 2.0)", "Void_Hunters (Version 1.0.3)"}));
    ExpectSelection(
        "Ashen_Crusade",
        Strings({"RequiredMod.1 = Tyrant_Art is missing!", "RequiredMod.2 = DXP2 is installed!",
                 "RequiredMod.3 = W40k is installed!"}),
        "This mod cannot be played.", false);
    ExpectSelection("DXP2", Strings({"RequiredMod.1 = W40k is installed!"}),
                    "This mod can be played.", true);
    ExpectSelection(
        "Iron_Vigil",
        Strings({"RequiredMod.1 = DXP2 is installed!", "RequiredMod.2 = w40k is installed!"}),
        "This mod can be played.", true);
    ExpectSelection("Void_Hunters",
                    Strings({"RequiredMod.1 = DXP2 has an incompatible version installed!",
                             "RequiredMod.2 = W40k is installed!"}),
                    "This mod cannot be played.", false);
}

TEST_F(DemoFolderTest, ShowsTheModsNotMeantToBePlayedOnRequest)
{
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    EXPECT_EQ(ui::Rows(F::ModListBox(*frame)),
              Strings({"Ashen_Crusade (Version 0.9)", "DXP2 (Version 1.2)",
                       "Iron_Vigil (Version 2.0)", "Old_Relics (Version 3.1)",
                       "Void_Hunters (Version 1.0.3)", "W40k (Version 1.51)"}));
    ExpectSelection("Old_Relics", Strings({"RequiredMod.1 = W40k is installed!"}),
                    "This mod is marked as non-playable.", false);
    ExpectSelection("W40k", Strings({"No mods required to run!"}),
                    "This mod is marked as non-playable.", false);
}

} // namespace
