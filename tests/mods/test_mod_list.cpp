// Which mods the list shows, in what order and with what text, and rebuilding it.
#include "mods/mods_test.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

namespace {

class ModListTest : public ModsTest
{
protected:
    void ExpectListed(QuorvantFrame& frame, std::initializer_list<const char*> files,
                      std::initializer_list<const char*> rows)
    {
        wxArrayString paths;
        for (const char* const file : files)
            paths.Add(game.PathOf(file));
        EXPECT_EQ(F::ModuleFiles(frame), paths);
        wxArrayString texts;
        for (const char* const row : rows)
            texts.Add(wxString::FromUTF8(row));
        EXPECT_EQ(F::ModDisplayNames(frame), texts);
        EXPECT_EQ(ui::Rows(F::ModListBox(frame)), texts);
    }

    static void ExpectEmptied(QuorvantFrame& frame)
    {
        EXPECT_TRUE(F::ModuleFiles(frame).IsEmpty());
        EXPECT_TRUE(F::ModDisplayNames(frame).IsEmpty());
        EXPECT_TRUE(F::RequiredMods(frame).IsEmpty());
        EXPECT_EQ(F::ModListBox(frame)->GetCount(), 0u);
        EXPECT_EQ(F::RequiredModListBox(frame)->GetCount(), 0u);
        ExpectStartable(frame, false);
    }
};

TEST_F(ModListTest, ShowsOnlyPlayableModsUntilAllAreAskedFor)
{
    Module("A", "ModVersion = 1.0\nPlayable = 1\n");
    Module("B", "ModVersion = 2.0\nPlayable = 0\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    ExpectListed(*frame, {"A.module"}, {"A (Version 1.0)"});

    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    EXPECT_TRUE(F::ShowAllMods(*frame));
    EXPECT_EQ(ui::StatusText(*frame), "All mods are now shown.");
    ExpectListed(*frame, {"A.module", "B.module"}, {"A (Version 1.0)", "B (Version 2.0)"});

    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    EXPECT_FALSE(F::ShowAllMods(*frame));
    EXPECT_EQ(ui::StatusText(*frame), "Only playable mods are now shown.");
    ExpectListed(*frame, {"A.module"}, {"A (Version 1.0)"});
}

TEST_F(ModListTest, DroppingModsKeepsEachRowWithItsOwnModuleFile)
{
    Module("A1", "Playable = 0\nRequiredMod.1 = OnlyA1\n");
    Module("B1", "Playable = 1\nRequiredMod.1 = OnlyB1\n");
    Module("C1", "Playable = 0\nRequiredMod.1 = OnlyC1\n");
    Module("D1", "Playable = 1\nRequiredMod.1 = OnlyD1\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    ExpectListed(*frame, {"B1.module", "D1.module"}, {"B1 (Version )", "D1 (Version )"});

    ui::Select(F::ModListBox(*frame), 0);
    EXPECT_EQ(ui::Rows(F::RequiredModListBox(*frame)),
              Strings({"RequiredMod.1 = OnlyB1 is missing!"}));
    ui::Select(F::ModListBox(*frame), 1);
    EXPECT_EQ(ui::Rows(F::RequiredModListBox(*frame)),
              Strings({"RequiredMod.1 = OnlyD1 is missing!"}));
}

TEST_F(ModListTest, ListsTheModuleFilesByNameWithoutRegardToCase)
{
    // Written in another order than listed.
    for (const char* const name : {"zeta.module", "Alpha.module", "beta.MODULE", "Gamma.Module",
                                   "My.Mod.module", "alpha2.module"})
        game.Write(name, "ModVersion = 1\nPlayable = 1\n");
    Module("NoVersion", "Playable = 1\n");
    // None of these is a module file of the game folder.
    game.Write("Skipped.module.bak", "Playable = 1\n");
    game.Write("Data/Nested.module", "Playable = 1\n");
    game.Write(".Hidden.module", "Playable = 1\n");
    game.MakeDirectory("Folder.module");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    ExpectListed(*frame,
                 {"Alpha.module", "alpha2.module", "beta.MODULE", "Gamma.Module", "My.Mod.module",
                  "NoVersion.module", "zeta.module"},
                 {"Alpha (Version 1)", "alpha2 (Version 1)", "beta (Version 1)",
                  "Gamma (Version 1)", "My.Mod (Version 1)", "NoVersion (Version )",
                  "zeta (Version 1)"});
}

TEST_F(ModListTest, TheVersionIsShownAsWrittenInAnyScript)
{
    Module("Runes", "ModVersion = \xe1\x9a\xb1-2 \nPlayable = 1\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    ExpectListed(*frame, {"Runes.module"}, {"Runes (Version \xe1\x9a\xb1-2 )"});
}

TEST_F(ModListTest, AnUnreadableModuleFileIsDroppedOrListedWithAnErrorVersion)
{
    Module("A", "ModVersion = 1\nPlayable = 1\n");
    const wxString broken = UnreadableModule("Broken");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectMessage("Unable To Open File", Unopenable(broken), wxICON_ERROR);
    QuorvantFrame* const frame = Run();
    ASSERT_NE(frame, nullptr);
    ExpectListed(*frame, {"A.module"}, {"A (Version 1)"});

    // Playable is not consulted while all mods are shown: one box, from the version.
    dialogs::ExpectMessage("Unable To Open File", Unopenable(broken), wxICON_ERROR);
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    ExpectListed(*frame, {"A.module", "Broken.module"},
                 {"A (Version 1)", "Broken (Version error)"});
}

TEST_F(ModListTest, RefreshEmptiesTheSelectionAndReadsTheFolderAnew)
{
    Module("A", "ModVersion = 1\nPlayable = 1\n");
    Module("B", "ModVersion = 1\nPlayable = 1\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    SelectMod(*frame, "B");
    ExpectStartable(*frame, true);
    ASSERT_EQ(F::RequiredMods(*frame).GetCount(), 1u);

    Module("B", "ModVersion = 2\nPlayable = 1\n");
    Module("C", "ModVersion = 3\nPlayable = 1\n");
    game.Remove("A.module");
    ui::ChooseMenu(*frame, wxID_REFRESH);
    EXPECT_EQ(ui::StatusText(*frame), "Mod list has been refreshed.");
    ExpectListed(*frame, {"B.module", "C.module"}, {"B (Version 2)", "C (Version 3)"});
    EXPECT_EQ(F::ModListBox(*frame)->GetSelection(), wxNOT_FOUND);
    EXPECT_TRUE(F::RequiredMods(*frame).IsEmpty());
    EXPECT_EQ(F::RequiredModListBox(*frame)->GetCount(), 0u);
    ExpectStartable(*frame, false);

    // The option holds across a refresh.
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    Module("D", "ModVersion = 4\nPlayable = 0\n");
    ui::ChooseMenu(*frame, wxID_REFRESH);
    ExpectListed(*frame, {"B.module", "C.module", "D.module"},
                 {"B (Version 2)", "C (Version 3)", "D (Version 4)"});
}

TEST_F(ModListTest, RefreshWithoutModuleFilesLeavesAnEmptyListAndGoesOn)
{
    Module("A", "ModVersion = 1\nPlayable = 1\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    SelectMod(*frame, "A");
    ExpectStartable(*frame, true);

    game.Remove("A.module");
    dialogs::ExpectMessage("No Module Files Found",
                           "There are no module files found in the selected directory.",
                           wxICON_ERROR);
    dialogs::ExpectMessage("No Mod Names Extracted", "Unable to extract the names of the mods.",
                           wxICON_ERROR);
    ui::ChooseMenu(*frame, wxID_REFRESH);
    EXPECT_EQ(ui::StatusText(*frame), "Mod list has been refreshed.");
    ExpectEmptied(*frame);
    ProcessEvents();
    EXPECT_TRUE(frame->IsShown());
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(frame));

    Module("A", "ModVersion = 1\nPlayable = 1\n");
    ui::ChooseMenu(*frame, wxID_REFRESH);
    ExpectListed(*frame, {"A.module"}, {"A (Version 1)"});
}

TEST_F(ModListTest, RefreshAfterTheGameFolderIsGoneLeavesAnEmptyList)
{
    Module("A", "ModVersion = 1\nPlayable = 1\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    game.Remove("");
    dialogs::ExpectMessage("Cannot Open Directory",
                           "The directory you have chosen cannot be opened.", wxICON_ERROR);
    dialogs::ExpectMessage("No Mod Names Extracted", "Unable to extract the names of the mods.",
                           wxICON_ERROR);
    ui::ChooseMenu(*frame, wxID_REFRESH);
    ExpectEmptied(*frame);
}

TEST_F(ModListTest, OnlyPlayableModsWhenNoneIsPlayableLeavesAnEmptyList)
{
    Module("A", "ModVersion = 1\nPlayable = 1\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    Module("A", "ModVersion = 1\nPlayable = 0\n");
    dialogs::ExpectMessage("No Mod Names Extracted", "Unable to extract the names of the mods.",
                           wxICON_ERROR);
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    EXPECT_EQ(ui::StatusText(*frame), "Only playable mods are now shown.");
    ExpectEmptied(*frame);
}

TEST_F(ModListTest, AFolderWithoutModuleFilesEndsStartUp)
{
    game.Write("W40k.module.old", "Playable = 1\n");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectMessage("No Module Files Found",
                           "There are no module files found in the selected directory.",
                           wxICON_ERROR);
    EXPECT_EQ(Run(), nullptr);
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft());
}

TEST_F(ModListTest, AFolderWithoutPlayableModsEndsStartUp)
{
    Module("A", "ModVersion = 1\nPlayable = 0\n");
    Module("B", "ModVersion = 1\n");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectMessage("No Mod Names Extracted", "Unable to extract the names of the mods.",
                           wxICON_ERROR);
    EXPECT_EQ(Run(), nullptr);
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft());
}

} // namespace
