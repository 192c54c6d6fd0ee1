// The game's argument vector, the checks before its start, and the launch question.
#include "launch/game_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> Strings(const wxArrayString& array)
{
    std::vector<std::string> strings;
    for (const wxString& item : array)
        strings.push_back(item.utf8_string());
    return strings;
}

class TempFolder
{
public:
    TempFolder()
    {
        char pattern[] = "/tmp/quorvant-command-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

    // A file holding `content` with the given mode; sub-folders are made as needed.
    std::string Add(const std::string& name, const std::string& content, mode_t mode) const
    {
        const std::string path = Path(name);
        const std::string::size_type slash = path.rfind('/');
        std::system(("mkdir -p '" + path.substr(0, slash) + "'").c_str());
        std::ofstream(path, std::ios::binary) << content;
        chmod(path.c_str(), mode);
        return path;
    }

private:
    std::string m_path;
};

} // namespace

TEST(GameCommand, SplitsTheEntryAtBlanksAsTheGamesCommandLineDoes)
{
    const struct
    {
        const char* entry;
        std::vector<std::string> words;
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
    for (const auto& c : cases)
        EXPECT_EQ(Strings(SplitAtBlanks(wxString::FromUTF8(c.entry))), c.words) << c.entry;
}

TEST(GameCommand, BuildsTheProgramModnameEntryAndSwitchesInTableOrder)
{
    LaunchOptions none;
    EXPECT_EQ(Strings(BuildGameArguments("/games/Dawn of War", "Soulstorm.exe",
                                         "MyMod (Version 1.0)", none)),
              (std::vector<std::string>{"/games/Dawn of War/Soulstorm.exe", "-modname", "MyMod",
                                        "(Version", "1.0)"}));

    LaunchOptions all;
    all.forceHighPoly = true;
    all.noMovies = true;
    all.devMode = true;
    all.allAIMode = true;
    EXPECT_EQ(Strings(BuildGameArguments("/g", "W40k.exe", "m (Version 2)", all)),
              (std::vector<std::string>{"/g/W40k.exe", "-modname", "m", "(Version", "2)", "-dev",
                                        "-nomovies", "-forcehighpoly"}));

    LaunchOptions some;
    some.noMovies = true;
    some.allAIMode = true;
    EXPECT_EQ(Strings(BuildGameArguments("/", "darkcrusade.exe", "x", some)),
              (std::vector<std::string>{"/darkcrusade.exe", "-modname", "x", "-nomovies"}));
}

TEST(GameCommand, RecognisesWindowsExecutablesByTheirFirstBytes)
{
    const TempFolder folder;
    EXPECT_TRUE(IsWindowsExecutable(folder.Add("game.exe", "MZ\x90\x00", 0644)));
    EXPECT_TRUE(IsWindowsExecutable(folder.Add("short.exe", "MZ", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(folder.Add("script.exe", "#!/bin/sh\n", 0755)));
    EXPECT_FALSE(IsWindowsExecutable(folder.Add("lower.exe", "mz", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(folder.Add("one.exe", "M", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(folder.Add("empty.exe", "", 0644)));
    EXPECT_FALSE(IsWindowsExecutable(folder.Path("missing.exe")));
    EXPECT_FALSE(IsWindowsExecutable(folder.Path()));
    ASSERT_EQ(mkfifo(folder.Path("fifo.exe").c_str(), 0644), 0);
    EXPECT_FALSE(IsWindowsExecutable(folder.Path("fifo.exe")));
}

TEST(GameCommand, FindsWineOnlyAsAnExecutableFileOnThePath)
{
    const TempFolder folder;
    folder.Add("plain/wine", "#!/bin/sh\n", 0644);
    mkdir(folder.Path("dir").c_str(), 0755);
    mkdir(folder.Path("dir/wine").c_str(), 0755);
    const std::string wine = folder.Add("bin/wine", "#!/bin/sh\n", 0755);
    folder.Add("later/wine", "#!/bin/sh\n", 0755);

    const wxString plain = folder.Path("plain"), dir = folder.Path("dir"), bin = folder.Path("bin"),
                   later = folder.Path("later");
    EXPECT_EQ(FindExecutableOnPath("wine", "::" + plain + ":" + dir + ":" + bin + ":" + later),
              wine);
    EXPECT_EQ(FindExecutableOnPath("wine", bin + "/"), wine);
    EXPECT_EQ(FindExecutableOnPath("wine", plain + ":" + dir), "");
    EXPECT_EQ(FindExecutableOnPath("wine", ""), "");
}

TEST(GameCommand, ChecksThatTheProgramCanBeStarted)
{
    const TempFolder folder;
    const std::string script = folder.Add("game/Soulstorm.exe", "#!/bin/sh\n", 0755);
    const std::string windows = folder.Add("game/W40k.exe", "MZ\x90", 0644);
    const std::string notExecutable = folder.Add("game/darkcrusade.exe", "#!/bin/sh\n", 0644);
    const std::string wine = folder.Add("bin/wine", "#!/bin/sh\n", 0755);
    const wxString withWine = folder.Path("empty") + ":" + folder.Path("bin");
    const wxString withoutWine = folder.Path("empty");

    const GameStart direct = PrepareGameStart(wxSplit(script + "|-modname|m", '|'), withWine);
    EXPECT_EQ(direct.problem, "");
    EXPECT_EQ(Strings(direct.command), (std::vector<std::string>{script, "-modname", "m"}));

    const GameStart throughWine = PrepareGameStart(wxSplit(windows + "|-modname|m", '|'), withWine);
    EXPECT_EQ(throughWine.problem, "");
    EXPECT_EQ(Strings(throughWine.command),
              (std::vector<std::string>{wine, windows, "-modname", "m"}));

    const struct
    {
        std::string program;
        wxString searchPath;
        std::string problem;
    } failures[] = {
        {windows, withoutWine,
         "The game program " + windows +
             " could not be started because it is a Windows program and Wine, which is needed to "
             "run it, was not found on the PATH."},
        {notExecutable, withWine,
         "The game program " + notExecutable +
             " could not be started because it is not executable."},
        {folder.Path("game/gone.exe"), withWine,
         "The game program " + folder.Path("game/gone.exe") +
             " could not be started because it does not exist."},
        {folder.Path("game"), withWine,
         "The game program " + folder.Path("game") +
             " could not be started because it is not a file."},
    };
    for (const auto& f : failures) {
        const GameStart start =
            PrepareGameStart(wxSplit(f.program + "|-modname|m", '|'), f.searchPath);
        EXPECT_EQ(start.problem.utf8_string(), f.problem);
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
