// The game's argument vector, the checks before its start, and the launch question.
#include "launch/game_command.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<wxString> Strings(const wxArrayString& array)
{
    return std::vector<wxString>(array.begin(), array.end());
}

// A file holding `content` with the given mode.
wxString Add(const TempFolder& folder, const wxString& name, const std::string& content,
             mode_t mode)
{
    const wxString path = folder.Write(name, content);
    chmod(path.fn_str(), mode);
    return path;
}

} // namespace

TEST(GameCommand, SplitsTheEntryAtBlanksAsTheGamesCommandLineDoes)
{
    const struct
    {
        const char* entry;
        std::vector<const char*> words;
    } cases[] = {
        {"MyMod (Version 1.0)", {"MyMod", "(Version", "1.0)"}},
        {"a  b", {"a", "b"}},
        {" lead and trail  ", {"lead", "and", "trail"}},
        {"single", {"single"}},
        {"tab\tstays", {"tab\tstays"}},
        {"quo\"te $HOME;`id` 'x'", {"quo\"te", "$HOME;`id`", "'x'"}},
        {"", {}},
        {"   ", {}},
        {"caf\u00e9 \u4e2d\u6587", {"caf\u00e9", "\u4e2d\u6587"}},
    };
    for (const auto& c : cases) {
        std::vector<wxString> words;
        for (const char* const word : c.words)
            words.push_back(wxString::FromUTF8(word));
        EXPECT_EQ(Strings(SplitAtBlanks(wxString::FromUTF8(c.entry))), words) << c.entry;
    }
}

TEST(GameCommand, BuildsTheProgramModnameEntryAndSwitchesInTableOrder)
{
    LaunchOptions none;
    EXPECT_EQ(Strings(BuildGameArguments("/games/Dawn of War", "Soulstorm.exe",
                                         "MyMod (Version 1.0)", none)),
              (std::vector<wxString>{"/games/Dawn of War/Soulstorm.exe", "-modname", "MyMod",
                                     "(Version", "1.0)"}));

    LaunchOptions all;
    all.forceHighPoly = true;
    all.noMovies = true;
    all.devMode = true;
    all.allAIMode = true;
    EXPECT_EQ(Strings(BuildGameArguments("/g", "W40k.exe", "m (Version 2)", all)),
              (std::vector<wxString>{"/g/W40k.exe", "-modname", "m", "(Version", "2)", "-dev",
                                     "-nomovies", "-forcehighpoly"}));

    LaunchOptions some;
    some.noMovies = true;
    some.allAIMode = true;
    EXPECT_EQ(Strings(BuildGameArguments("/", "darkcrusade.exe", "x", some)),
              (std::vector<wxString>{"/darkcrusade.exe", "-modname", "x", "-nomovies"}));
}

TEST(GameCommand, RecognisesWindowsExecutablesByTheirFirstBytes)
{
    const TempFolder folder("command");
    EXPECT_TRUE(IsWindowsExecutable(Add(folder, "game.exe", "MZ\x90\x00", 0644)));
    EXPECT_TRUE(IsWindowsExecutable(Add(folder, "short.exe", "MZ", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(Add(folder, "script.exe", "#!/bin/sh\n", 0755)));
    EXPECT_FALSE(IsWindowsExecutable(Add(folder, "lower.exe", "mz", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(Add(folder, "one.exe", "M", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(Add(folder, "empty.exe", "", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(folder.PathOf("missing.exe")));
    EXPECT_FALSE(IsWindowsExecutable(folder.Path()));
    ASSERT_EQ(mkfifo(folder.PathOf("fifo.exe").fn_str(), 0644), 0);
    EXPECT_FALSE(IsWindowsExecutable(folder.PathOf("fifo.exe")));
}

TEST(GameCommand, FindsWineOnlyAsAnExecutableFileOnThePath)
{
    const TempFolder folder("command");
    Add(folder, "plain/wine", "#!/bin/sh\n", 0644);
    mkdir(folder.PathOf("dir").fn_str(), 0755);
    mkdir(folder.PathOf("dir/wine").fn_str(), 0755);
    const wxString wine = Add(folder, "bin/wine", "#!/bin/sh\n", 0755);
    Add(folder, "later/wine", "#!/bin/sh\n", 0755);

    const wxString plain = folder.PathOf("plain"), dir = folder.PathOf("dir"),
                   bin = folder.PathOf("bin"), later = folder.PathOf("later");
    EXPECT_EQ(FindExecutableOnPath("wine", "::" + plain + ":" + dir + ":" + bin + ":" + later),
              wine);
    EXPECT_EQ(FindExecutableOnPath("wine", bin + "/"), wine);
    EXPECT_EQ(FindExecutableOnPath("wine", plain + ":" + dir), "");
    EXPECT_EQ(FindExecutableOnPath("wine", ""), "");
}

TEST(GameCommand, ChecksThatTheProgramCanBeStarted)
{
    const TempFolder folder("command");
    const wxString script = Add(folder, "game/Soulstorm.exe", "#!/bin/sh\n", 0755);
    const wxString windows = Add(folder, "game/W40k.exe", "MZ\x90", 0644);
    const wxString notExecutable = Add(folder, "game/darkcrusade.exe", "#!/bin/sh\n", 0644);
    const wxString wine = Add(folder, "bin/wine", "#!/bin/sh\n", 0755);
    const wxString withWine = folder.PathOf("empty") + ":" + folder.PathOf("bin");
    const wxString withoutWine = folder.PathOf("empty");

    const GameStart direct = PrepareGameStart(wxSplit(script + "|-modname|m", '|'), withWine);
    EXPECT_EQ(direct.problem, "");
    EXPECT_EQ(Strings(direct.command), (std::vector<wxString>{script, "-modname", "m"}));

    const GameStart throughWine = PrepareGameStart(wxSplit(windows + "|-modname|m", '|'), withWine);
    EXPECT_EQ(throughWine.problem, "");
    EXPECT_EQ(Strings(throughWine.command),
              (std::vector<wxString>{wine, windows, "-modname", "m"}));

    const struct
    {
        wxString program;
        wxString searchPath;
        wxString problem;
    } failures[] = {
        {windows, withoutWine,
         "The game program " + windows +
             " could not be started because it is a Windows program and Wine, which is needed to "
             "run it, was not found on the PATH."},
        {notExecutable, withWine,
         "The game program " + notExecutable +
             " could not be started because it is not executable."},
        {folder.PathOf("game/gone.exe"), withWine,
         "The game program " + folder.PathOf("game/gone.exe") +
             " could not be started because it does not exist."},
        {folder.PathOf("game"), withWine,
         "The game program " + folder.PathOf("game") +
             " could not be started because it is not a file."},
    };
    for (const auto& f : failures) {
        const GameStart start =
            PrepareGameStart(wxSplit(f.program + "|-modname|m", '|'), f.searchPath);
        EXPECT_EQ(start.problem, f.problem);
        EXPECT_TRUE(start.command.empty()) << f.program;
    }
}

TEST(GameCommand, AsksWithTheChosenOptionsInTableOrder)
{
    const wxString entry = "MyMod (Version 1.0)";
    LaunchOptions options;
    EXPECT_EQ(BuildLaunchQuestion(entry, options), "Start the MyMod (Version 1.0) mod?");

    options.devMode = true;
    options.allAIMode = true;
    EXPECT_EQ(BuildLaunchQuestion(entry, options),
              "Start the MyMod (Version 1.0) mod with the following options?\n\n- Developer Mode"
              "\n- All AI Mode");

    options.forceHighPoly = true;
    options.noMovies = true;
    EXPECT_EQ(BuildLaunchQuestion(entry, options),
              "Start the MyMod (Version 1.0) mod with the following options?\n\n- Developer Mode"
              "\n- No Intro Movies\n- High Poly Models At Any Distance\n- All AI Mode");

    LaunchOptions aiOnly;
    aiOnly.allAIMode = true;
    EXPECT_EQ(BuildLaunchQuestion("x", aiOnly),
              "Start the x mod with the following options?\n\n- All AI Mode");
}
