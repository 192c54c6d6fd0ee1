// Choosing the game folder at start-up and recognising the game by its executable.
#include "support/gui_test.h"

#include <wx/msgdlg.h>

#include <cctype>
#include <string>

namespace {

const char* const ChoiceMessage = "There is more than one Dawn of War executable detected in the "
                                  "directory you have chosen.\nPlease select which game you wish "
                                  "to play.";

wxArrayString Names(std::initializer_list<const char*> names)
{
    wxArrayString array;
    for (const char* const name : names)
        array.Add(name);
    return array;
}

class SelectGameDirectoryTest : public GuiTest
{
};

TEST_F(SelectGameDirectoryTest, CancellingTheChooserEndsTheProgramSilently)
{
    InstallGame("Soulstorm.exe");
    dialogs::ExpectDirectoryCancel();
    EXPECT_EQ(Run(), nullptr);
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft()) << "the program would not end";
}

TEST_F(SelectGameDirectoryTest, AFolderThatCannotBeOpenedIsReported)
{
    InstallGame("Soulstorm.exe");
    // The folder vanishes between the choice and the look inside it.
    dialogs::ExpectDirectory(game.Path(), [this] { game.Remove(""); });
    dialogs::ExpectMessage("Cannot Open Directory",
                           "The directory you have chosen cannot be opened.", wxICON_ERROR);
    EXPECT_EQ(Run(), nullptr);
}

TEST_F(SelectGameDirectoryTest, AFolderWithoutAGameExecutableIsRefused)
{
    game.Write("Demo.module", "Playable = 1\n");
    // Only a file directly in the folder counts, and a directory of the name is no executable.
    game.WriteScript("Data/Soulstorm.exe", "exit 0\n");
    game.MakeDirectory("W40k.exe");
    game.Write("Soulstorm.exe.bak", "");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectMessage("Game Executable Not Found",
                           "You must choose a directory with either the Dawn of War, Winter "
                           "Assault, Dark Crusade or Soulstorm executable inside it.",
                           wxICON_ERROR);
    EXPECT_EQ(Run(), nullptr);
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft());
}

struct OneGame
{
    const char* fileOnDisk;
    const char* name;
};

// Test names from a parameter's text: letters and digits only.
std::string NameOf(const char* text)
{
    std::string name;
    for (const char* c = text; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    }
    return name;
}

class OneExecutableTest : public GuiTest, public testing::WithParamInterface<OneGame>
{
};

TEST_P(OneExecutableTest, RecognisesTheGameWithoutAsking)
{
    InstallGame(GetParam().fileOnDisk);
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(F::GameName(*frame), GetParam().name);
    // The name as it is on disk, so that the launch finds the file.
    EXPECT_EQ(F::GameExecutable(*frame), GetParam().fileOnDisk);
    // The folder exactly as the chooser gave it, no separator added.
    EXPECT_EQ(F::GameDirectory(*frame), game.Path());
}

INSTANTIATE_TEST_SUITE_P(EachGame, OneExecutableTest,
                         testing::Values(OneGame{"W40k.exe", "Dawn of War"},
                                         OneGame{"W40kWA.exe", "Winter Assault"},
                                         OneGame{"darkcrusade.exe", "Dark Crusade"},
                                         OneGame{"Soulstorm.exe", "Soulstorm"},
                                         OneGame{"SOULSTORM.EXE", "Soulstorm"},
                                         OneGame{"DarkCrusade.exe", "Dark Crusade"},
                                         OneGame{"w40kwa.EXE", "Winter Assault"}),
                         [](const auto& info) { return NameOf(info.param.fileOnDisk); });

TEST_F(SelectGameDirectoryTest, TheExactSpellingWinsOverOtherCases)
{
    InstallGame("Soulstorm.exe");
    game.WriteScript("soulstorm.exe", "exit 0\n");
    game.WriteScript("SOULSTORM.EXE", "exit 0\n");
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(F::GameExecutable(*frame), "Soulstorm.exe");
}

struct Answer
{
    int row;
    const char* name;
    const char* executable;
};

class ChooseGameTest : public GuiTest, public testing::WithParamInterface<Answer>
{
};

TEST_P(ChooseGameTest, OffersTheGamesInTableOrderAndTakesTheAnswer)
{
    // Created in another order than offered.
    InstallGame("Soulstorm.exe");
    for (const char* const exe : {"darkcrusade.exe", "W40kWA.exe", "W40k.exe"})
        game.WriteScript(exe, "exit 0\n");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectChoice("Choose Game", ChoiceMessage,
                          Names({"Dawn of War", "Winter Assault", "Dark Crusade", "Soulstorm"}), 0,
                          GetParam().row);
    QuorvantFrame* const frame = Run();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(F::GameName(*frame), GetParam().name);
    EXPECT_EQ(F::GameExecutable(*frame), GetParam().executable);
}

INSTANTIATE_TEST_SUITE_P(EachAnswer, ChooseGameTest,
                         testing::Values(Answer{0, "Dawn of War", "W40k.exe"},
                                         Answer{1, "Winter Assault", "W40kWA.exe"},
                                         Answer{2, "Dark Crusade", "darkcrusade.exe"},
                                         Answer{3, "Soulstorm", "Soulstorm.exe"}),
                         [](const auto& info) { return NameOf(info.param.executable); });

TEST_F(SelectGameDirectoryTest, OffersOnlyTheGamesFound)
{
    InstallGame("Soulstorm.exe");
    game.WriteScript("w40k.exe", "exit 0\n");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectChoice("Choose Game", ChoiceMessage, Names({"Dawn of War", "Soulstorm"}), 0, 0);
    QuorvantFrame* const frame = Run();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(F::GameName(*frame), "Dawn of War");
    EXPECT_EQ(F::GameExecutable(*frame), "w40k.exe");
}

TEST_F(SelectGameDirectoryTest, CancellingTheChoiceEndsTheProgramSilently)
{
    InstallGame("Soulstorm.exe");
    game.WriteScript("W40kWA.exe", "exit 0\n");
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectChoice("Choose Game", ChoiceMessage, Names({"Winter Assault", "Soulstorm"}), 0,
                          wxNOT_FOUND);
    EXPECT_EQ(Run(), nullptr);
    ProcessEvents();
    EXPECT_FALSE(AnyWindowLeft());
}

} // namespace
