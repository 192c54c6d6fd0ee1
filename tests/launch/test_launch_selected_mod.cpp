// Starting the game from the main window: the question, the script, the real process it starts.
#include "support/gui_test.h"
#include "support/permission_checks.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <chrono>
#include <dirent.h>
#include <set>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

const std::string ai = "Cpu_ControlLocalPlayer()";
const wxString entry = "Demo (Version 1.0)";

// What one start of a stand-in recorded.
struct Started
{
    std::vector<wxString> arguments; // the program as started, then its arguments
    wxString folder;
    std::string script; // autoexec.lua as the game found it, or "<missing>"
};

std::vector<wxString> Lines(const std::string& text)
{
    std::vector<wxString> lines;
    for (const wxString& line : wxSplit(wxString::FromUTF8(text), '\n', '\0'))
        lines.push_back(line);
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

class LaunchTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        wxGetEnv("PATH", &m_path);
    }
    void TearDown() override
    {
        wxSetEnv("PATH", m_path);
        GuiTest::TearDown();
    }

    // A program that writes down how it was started into the record folder, each start apart.
    std::string RecordingScript() const
    {
        const std::string into = std::string(records.Path().fn_str());
        return "PATH=/usr/bin:/bin\n"
               "d='" +
               into +
               "/.start-'$$\n"
               "mkdir \"$d\"\n"
               "printf '%s\\n' \"$0\" \"$@\" > \"$d/arguments\"\n"
               "pwd > \"$d/folder\"\n"
               "if [ -e autoexec.lua ]; then cp autoexec.lua \"$d/autoexec.lua\"; fi\n"
               "mv \"$d\" '" +
               into + "/start-'$$\n";
    }

    // A game folder whose executable is a recording stand-in, and the window on it.
    QuorvantFrame* StartGame(const wxString& folder, const wxString& executable = "Soulstorm.exe")
    {
        game.WriteScript(folder + "/" + executable, RecordingScript());
        return StartIn(folder);
    }

    // The same with a Windows executable, which only Wine can run.
    QuorvantFrame* StartWindowsGame(const wxString& folder)
    {
        game.Write(folder + "/Soulstorm.exe", "MZ\x90 not really a game");
        return StartIn(folder);
    }

    QuorvantFrame* StartIn(const wxString& folder)
    {
        game.Write(folder + "/Demo.module", "[global]\r\nModVersion = 1.0\r\nPlayable = 1\r\n");
        return Start(game.PathOf(folder));
    }

    // What the mod catalogue leaves after the user selected a playable mod.
    static void SelectPlayable(QuorvantFrame& frame, const wxString& name)
    {
        int row = F::ModDisplayNames(frame).Index(name);
        if (row == wxNOT_FOUND) {
            F::ModDisplayNames(frame).Add(name);
            F::ModuleFiles(frame).Add(F::GameDirectory(frame) + "/Demo.module");
            row = F::ModListBox(frame)->Append(name);
        }
        F::ModListBox(frame)->SetSelection(row);
        F::ModSelected(frame) = true;
        F::StartButton(frame)->Enable(true);
        F::FileMenu(frame)->Enable(wxID_EXECUTE, true);
    }

    static void ExpectQuestion(const wxString& message, int answer = wxID_YES)
    {
        dialogs::ExpectMessage("Start Mod?", message, wxYES_NO, answer);
    }

    static void PressStart(QuorvantFrame& frame)
    {
        wxButton* const button = F::StartButton(frame);
        ASSERT_TRUE(button->IsEnabled());
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->HandleWindowEvent(click);
    }

    std::vector<std::string> RecordNames() const
    {
        std::vector<std::string> names;
        if (DIR* const dir = opendir(records.Path().fn_str())) {
            while (const dirent* const item = readdir(dir)) {
                if (std::string(item->d_name).rfind("start-", 0) == 0)
                    names.push_back(item->d_name);
            }
            closedir(dir);
        }
        return names;
    }

    // Waits for the stand-ins to have written down `count` starts in all, and returns the new
    // one; the game is an independent process, so its record comes some time after the click.
    Started WaitForStart(size_t count = 1)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (RecordNames().size() < count && std::chrono::steady_clock::now() < deadline) {
            ProcessEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::vector<std::string> names = RecordNames();
        EXPECT_EQ(names.size(), count) << "starts recorded";
        Started started;
        for (const std::string& name : names) {
            if (m_seen.insert(name).second) {
                started.arguments = Lines(records.Read(name + "/arguments"));
                const std::vector<wxString> folder = Lines(records.Read(name + "/folder"));
                started.folder = folder.empty() ? wxString() : folder[0];
                started.script = records.Read(name + "/autoexec.lua");
            }
        }
        return started;
    }

    // A process that was wrongly started would have written its record well within this time.
    void ExpectNoStart()
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        while (std::chrono::steady_clock::now() < until) {
            ProcessEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_EQ(RecordNames().size(), m_seen.size()) << "a program was started";
    }

    TempFolder records{"records"};

private:
    wxString m_path;
    std::set<std::string> m_seen;
};

std::vector<wxString> Args(std::initializer_list<wxString> args)
{
    return std::vector<wxString>(args);
}

} // namespace

TEST_F(LaunchTest, NoOptionStartsTheProgramWithTheEntryInTheGameFolder)
{
    QuorvantFrame* const frame = StartGame("Soulstorm");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    ExpectQuestion("Start the Demo (Version 1.0) mod?");
    ui::ChooseMenu(*frame, wxID_EXECUTE);

    const Started started = WaitForStart();
    const wxString folder = game.PathOf("Soulstorm");
    EXPECT_EQ(started.arguments,
              Args({folder + "/Soulstorm.exe", "-modname", "Demo", "(Version", "1.0)"}));
    EXPECT_EQ(started.folder, folder);
    EXPECT_EQ(started.script, "<missing>");
    EXPECT_FALSE(game.Exists("Soulstorm/autoexec.lua"));

    // The window stays as it was and the next start asks again.
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(F::ModListBox(*frame)->GetSelection(), F::ModDisplayNames(*frame).Index(entry));
    ExpectQuestion("Start the Demo (Version 1.0) mod?");
    PressStart(*frame);
    EXPECT_EQ(WaitForStart(2).arguments, started.arguments);
}

TEST_F(LaunchTest, SwitchesFollowInTableOrderWhateverTheOrderTicked)
{
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    ui::Toggle(F::ForceHighPolyCheckBox(*frame));
    ui::Toggle(F::NoMoviesCheckBox(*frame));
    ui::Toggle(F::DevCheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode\n- No Intro Movies\n- High Poly Models At Any Distance");
    PressStart(*frame);

    EXPECT_EQ(WaitForStart().arguments,
              Args({game.PathOf("game/Soulstorm.exe"), "-modname", "Demo", "(Version", "1.0)",
                    "-dev", "-nomovies", "-forcehighpoly"}));
}

TEST_F(LaunchTest, AGameFolderWithBlanksIsOneArgument)
{
    QuorvantFrame* const frame = StartGame("Dawn of War  Soulstorm", "W40k.exe");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    ui::Toggle(F::NoMoviesCheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- No Intro Movies");
    ui::DoubleClick(F::ModListBox(*frame), F::ModDisplayNames(*frame).Index(entry));

    const Started started = WaitForStart();
    const wxString folder = game.PathOf("Dawn of War  Soulstorm");
    EXPECT_EQ(started.arguments,
              Args({folder + "/W40k.exe", "-modname", "Demo", "(Version", "1.0)", "-nomovies"}));
    EXPECT_EQ(started.folder, folder);
}

TEST_F(LaunchTest, QuotesAndShellCharactersReachTheGameAsTheyAre)
{
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    const wxString name = "My\"Mod $(touch x);`id`  'q' * (Version 1.0)";
    SelectPlayable(*frame, name);
    ExpectQuestion("Start the " + name + " mod?");
    PressStart(*frame);

    EXPECT_EQ(WaitForStart().arguments,
              Args({game.PathOf("game/Soulstorm.exe"), "-modname", "My\"Mod", "$(touch", "x);`id`",
                    "'q'", "*", "(Version", "1.0)"}));
    EXPECT_FALSE(game.Exists("game/x"));
}

TEST_F(LaunchTest, AllAIModePutsTheLineInBeforeTheGameStarts)
{
    game.Write("game/autoexec.lua", "-- settings\r\n");
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    ui::Toggle(F::DevCheckBox(*frame));
    ui::Toggle(F::AllAICheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode\n- All AI Mode");
    PressStart(*frame);

    const Started started = WaitForStart();
    EXPECT_EQ(started.arguments, Args({game.PathOf("game/Soulstorm.exe"), "-modname", "Demo",
                                       "(Version", "1.0)", "-dev"}));
    EXPECT_EQ(started.script, ai + "\n-- settings\r\n");
    EXPECT_EQ(game.Read("game/autoexec.lua"), ai + "\n-- settings\r\n");

    // Started again without All AI: the line goes and the script is as it was.
    ui::Toggle(F::AllAICheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode");
    PressStart(*frame);
    EXPECT_EQ(WaitForStart(2).script, "-- settings\r\n");
    EXPECT_EQ(game.Read("game/autoexec.lua"), "-- settings\r\n");
}

TEST_F(LaunchTest, WithAllAIOffTheLineIsRemovedOnYesAndKeptOnNo)
{
    const std::string script = "a\n" + ai + "\nb\n" + ai + " -- twice\n";
    game.Write("game/autoexec.lua", script);
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(F::AllAIMode(*frame));
    SelectPlayable(*frame, entry);
    ui::Toggle(F::AllAICheckBox(*frame));

    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode",
                   wxID_NO);
    PressStart(*frame);
    ExpectNoStart();
    EXPECT_EQ(game.Read("game/autoexec.lua"), script);

    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode");
    PressStart(*frame);
    EXPECT_EQ(WaitForStart().script, "a\nb\n");
    EXPECT_EQ(game.Read("game/autoexec.lua"), "a\nb\n");
}

TEST_F(LaunchTest, AnsweringNoStartsNothingAndWritesNothing)
{
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    ui::Toggle(F::DevCheckBox(*frame));
    ui::Toggle(F::AllAICheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode\n- All AI Mode",
                   wxID_NO);
    ui::ChooseMenu(*frame, wxID_EXECUTE);
    ExpectNoStart();
    EXPECT_FALSE(game.Exists("game/autoexec.lua"));
}

TEST_F(LaunchTest, AModThatCannotBePlayedIsNotStarted)
{
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    // The selection's verdict was that it cannot be played.
    F::ModSelected(*frame) = false;
    ui::DoubleClick(F::ModListBox(*frame), F::ModDisplayNames(*frame).Index(entry));
    ExpectNoStart();
}

TEST_F(LaunchTest, AWindowsExecutableIsStartedThroughWineFromThePath)
{
    QuorvantFrame* const frame = StartWindowsGame("game");
    ASSERT_NE(frame, nullptr);
    const TempFolder tools("tools");
    const wxString wine = tools.WriteScript("bin/wine", RecordingScript());
    tools.WriteScript("later/wine", "exit 1\n");
    wxSetEnv("PATH",
             tools.PathOf("empty") + ":" + tools.PathOf("bin") + ":" + tools.PathOf("later"));
    SelectPlayable(*frame, entry);
    ui::Toggle(F::DevCheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode");
    PressStart(*frame);

    const Started started = WaitForStart();
    EXPECT_EQ(started.arguments, Args({wine, game.PathOf("game/Soulstorm.exe"), "-modname", "Demo",
                                       "(Version", "1.0)", "-dev"}));
    EXPECT_EQ(started.folder, game.PathOf("game"));
}

TEST_F(LaunchTest, AWindowsExecutableWithoutWineIsReported)
{
    QuorvantFrame* const frame = StartWindowsGame("game");
    ASSERT_NE(frame, nullptr);
    const TempFolder tools("tools");
    tools.WriteScript("bin/winecfg", RecordingScript());
    wxSetEnv("PATH", tools.PathOf("bin"));
    SelectPlayable(*frame, entry);
    ExpectQuestion("Start the Demo (Version 1.0) mod?");
    dialogs::ExpectMessage("Unable To Run Mod",
                           "The game program " + game.PathOf("game/Soulstorm.exe") +
                               " could not be started because it is a Windows program and Wine, "
                               "which is needed to run it, was not found on the PATH.",
                           wxICON_ERROR);
    PressStart(*frame);
    ExpectNoStart();
}

TEST_F(LaunchTest, AProgramThatIsGoneOrNotExecutableIsReported)
{
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    const wxString program = game.PathOf("game/Soulstorm.exe");

    chmod(program.fn_str(), 0644);
    ExpectQuestion("Start the Demo (Version 1.0) mod?");
    dialogs::ExpectMessage("Unable To Run Mod",
                           "The game program " + program +
                               " could not be started because it is not executable.",
                           wxICON_ERROR);
    PressStart(*frame);

    game.Remove("game/Soulstorm.exe");
    ExpectQuestion("Start the Demo (Version 1.0) mod?");
    dialogs::ExpectMessage("Unable To Run Mod",
                           "The game program " + program +
                               " could not be started because it does not exist.",
                           wxICON_ERROR);
    PressStart(*frame);
    ExpectNoStart();
}

TEST_F(LaunchTest, AScriptThatCannotBeChangedStopsTheStart)
{
    game.Write("game/autoexec.lua", ai + "\n");
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    chmod(game.PathOf("game").fn_str(), 0555);
    const PermissionChecks checks;
    ASSERT_TRUE(checks.IsActive());

    // Switched off: the line cannot be taken out.
    ui::Toggle(F::AllAICheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode");
    dialogs::ExpectMessage("Unable To Write To The File",
                           "Unable to write to the autoexec.lua file.", wxICON_ERROR);
    dialogs::ExpectMessage("Unable to Remove Command",
                           "Unable to remove the All AI Mode command from the autoexec.lua file. "
                           "You will need to remove it manually to run the mod without All AI "
                           "Mode being activated.",
                           wxICON_ERROR);
    PressStart(*frame);
    EXPECT_EQ(game.Read("game/autoexec.lua"), ai + "\n");

    // Switched on over a script without the line: the line cannot be put in.
    chmod(game.PathOf("game").fn_str(), 0755);
    game.Write("game/autoexec.lua", "-- x\n");
    chmod(game.PathOf("game").fn_str(), 0555);
    ui::Toggle(F::AllAICheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode\n- All AI Mode");
    dialogs::ExpectMessage("Unable To Write To The File",
                           "Unable to write to the autoexec.lua file.", wxICON_ERROR);
    dialogs::ExpectMessage("Unable To Run Mod", "Unable to run the mod with All AI Mode activated.",
                           wxICON_ERROR);
    PressStart(*frame);
    ExpectNoStart();
    EXPECT_EQ(game.Read("game/autoexec.lua"), "-- x\n");
}

TEST_F(LaunchTest, TheDemoScriptComesBackByteForByteAfterAnAllAIStart)
{
    const std::string original = ReadDemoFile("autoexec.lua");
    ASSERT_NE(original, "<missing>");
    game.Write("game/autoexec.lua", original);
    QuorvantFrame* const frame = StartGame("game");
    ASSERT_NE(frame, nullptr);
    SelectPlayable(*frame, entry);
    ui::Toggle(F::DevCheckBox(*frame));
    ui::Toggle(F::AllAICheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod with the following options?\n\n"
                   "- Developer Mode\n- All AI Mode");
    PressStart(*frame);
    EXPECT_EQ(WaitForStart().script, ai + "\n" + original);

    ui::Toggle(F::DevCheckBox(*frame));
    ExpectQuestion("Start the Demo (Version 1.0) mod?");
    PressStart(*frame);
    EXPECT_EQ(WaitForStart(2).script, original);
    EXPECT_EQ(game.Read("game/autoexec.lua"), original);
}
