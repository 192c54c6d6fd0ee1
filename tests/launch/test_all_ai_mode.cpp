// The All AI line of the game's autoexec.lua through the main window: test, edit and restore.
#include "support/gui_test.h"
#include "support/permission_checks.h"

#include <wx/checkbox.h>
#include <wx/msgdlg.h>

#include <string>
#include <sys/stat.h>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string ai = "Cpu_ControlLocalPlayer()";

std::string Utf16LE(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
        bytes += std::string{c, '\0'};
    return bytes;
}

struct Stat
{
    ino_t inode = 0;
    mode_t mode = 0;
};

Stat StatOf(const wxString& path)
{
    struct stat info;
    if (lstat(path.fn_str(), &info) != 0)
        return {};
    return {info.st_ino, info.st_mode};
}

class AllAIModeTest : public GuiTest
{
protected:
    void ExpectOptions(QuorvantFrame& frame, bool allAI)
    {
        EXPECT_EQ(F::DevMode(frame), allAI);
        EXPECT_EQ(F::AllAIMode(frame), allAI);
        EXPECT_FALSE(F::NoMovies(frame));
        EXPECT_FALSE(F::ForceHighPoly(frame));
        EXPECT_EQ(F::DevCheckBox(frame)->GetValue(), allAI);
        EXPECT_EQ(F::AllAICheckBox(frame)->GetValue(), allAI);
        EXPECT_EQ(F::AllAICheckBox(frame)->IsEnabled(), allAI);
        EXPECT_FALSE(F::NoMoviesCheckBox(frame)->GetValue());
        EXPECT_FALSE(F::ForceHighPolyCheckBox(frame)->GetValue());
    }
};

// The script's states that the edit must get exactly right, byte for byte.
struct ScriptCase
{
    const char* what;
    std::string original;
    std::string enabled;  // after SetAllAIMode(true)
    std::string disabled; // after SetAllAIMode(false)
};

const std::vector<ScriptCase> scriptCases = {
    {"empty", "", ai + "\n", ""},
    {"first line", ai + "\nprint(1)\n", ai + "\nprint(1)\n", "print(1)\n"},
    {"last of many", "a\nb\nc\n" + ai, "a\nb\nc\n" + ai, "a\nb\nc\n"},
    {"third place", "a\r\nb\r\n" + ai + "\r\nc\r\n", "a\r\nb\r\n" + ai + "\r\nc\r\n",
     "a\r\nb\r\nc\r\n"},
    {"trailing comment counts", ai + " -- on\n", ai + " -- on\n", ""},
    {"leading blanks", "  " + ai + "\n", ai + "\n  " + ai + "\n", "  " + ai + "\n"},
    {"commented out", "--" + ai + "\n", ai + "\n--" + ai + "\n", "--" + ai + "\n"},
    {"other case", "cpu_controllocalplayer()\n", ai + "\ncpu_controllocalplayer()\n",
     "cpu_controllocalplayer()\n"},
    {"CRLF lines", "a\r\nb\r\n", ai + "\na\r\nb\r\n", "a\r\nb\r\n"},
    {"no final line end", "x = 1", ai + "\nx = 1", "x = 1"},
    {"two lines", ai + "\nx\n" + ai + "\r\n", ai + "\nx\n" + ai + "\r\n", "x\n"},
    {"UTF-8 byte-order mark", "\xEF\xBB\xBF-- x\r\n", "\xEF\xBB\xBF" + ai + "\n-- x\r\n",
     "\xEF\xBB\xBF-- x\r\n"},
    {"Latin-1 bytes", "-- caf\xE9\r\n", ai + "\n-- caf\xE9\r\n", "-- caf\xE9\r\n"},
    {"UTF-16", Utf16LE("-- x\r\n"), Utf16LE(ai + "\n-- x\r\n"), Utf16LE("-- x\r\n")},
    {"UTF-16 with the line", Utf16LE("a\n" + ai), Utf16LE("a\n" + ai), Utf16LE("a\n")},
};

} // namespace

TEST_F(AllAIModeTest, EditsTheScriptByteForByte)
{
    QuorvantFrame* const frame = StartWithFile("autoexec.lua", "");
    ASSERT_NE(frame, nullptr);
    const wxString path = game.PathOf("autoexec.lua");
    for (const ScriptCase& c : scriptCases) {
        const bool hasLine = c.original == c.enabled;
        game.Write("autoexec.lua", c.original);
        const Stat before = StatOf(path);
        EXPECT_EQ(frame->IsAllAIModeActive(), hasLine) << c.what;

        EXPECT_TRUE(frame->SetAllAIMode(true)) << c.what;
        EXPECT_EQ(game.Read("autoexec.lua"), c.enabled) << c.what;
        EXPECT_TRUE(frame->IsAllAIModeActive()) << c.what;
        if (hasLine) {
            EXPECT_EQ(StatOf(path).inode, before.inode) << c.what << ": rewritten";
        }

        game.Write("autoexec.lua", c.original);
        EXPECT_TRUE(frame->SetAllAIMode(false)) << c.what;
        EXPECT_EQ(game.Read("autoexec.lua"), c.disabled) << c.what;
        EXPECT_FALSE(frame->IsAllAIModeActive()) << c.what;

        // Switching on and off again gives back the original.
        if (!hasLine) {
            game.Write("autoexec.lua", c.original);
            EXPECT_TRUE(frame->SetAllAIMode(true));
            EXPECT_TRUE(frame->SetAllAIMode(false));
            EXPECT_EQ(game.Read("autoexec.lua"), c.original) << c.what;
        }
    }
}

TEST_F(AllAIModeTest, AMissingScriptIsCreatedOnlyToHoldTheLine)
{
    InstallGame("Soulstorm.exe");
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsAllAIModeActive());

    EXPECT_TRUE(frame->SetAllAIMode(false));
    EXPECT_FALSE(game.Exists("autoexec.lua"));

    const mode_t previous = umask(022);
    const bool enabled = frame->SetAllAIMode(true);
    umask(previous);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(game.Read("autoexec.lua"), ai + "\n");
    EXPECT_EQ(StatOf(game.PathOf("autoexec.lua")).mode, S_IFREG | 0644);
}

TEST_F(AllAIModeTest, FindsTheScriptWithoutRegardToCase)
{
    QuorvantFrame* const frame = StartWithFile("AutoExec.LUA", "x\r\n" + ai + "\r\n");
    ASSERT_NE(frame, nullptr);
    ExpectOptions(*frame, true);

    EXPECT_TRUE(frame->SetAllAIMode(false));
    EXPECT_EQ(game.Read("AutoExec.LUA"), "x\r\n");
    EXPECT_FALSE(game.Exists("autoexec.lua"));
    EXPECT_TRUE(frame->SetAllAIMode(true));
    EXPECT_EQ(game.Read("AutoExec.LUA"), ai + "\nx\r\n");
    EXPECT_FALSE(game.Exists("autoexec.lua"));
}

TEST_F(AllAIModeTest, ReplacesALinkedScriptWithoutWritingThroughTheLink)
{
    InstallGame("Soulstorm.exe");
    const TempFolder elsewhere("shared");
    elsewhere.Write("autoexec.lua", "shared\n");
    ASSERT_EQ(
        symlink(elsewhere.PathOf("autoexec.lua").fn_str(), game.PathOf("autoexec.lua").fn_str()),
        0);
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);

    EXPECT_TRUE(frame->SetAllAIMode(true));
    EXPECT_EQ(game.Read("autoexec.lua"), ai + "\nshared\n");
    EXPECT_EQ(elsewhere.Read("autoexec.lua"), "shared\n");
}

TEST_F(AllAIModeTest, AScriptThatCannotBeReadIsReportedAndLeftAlone)
{
    QuorvantFrame* const frame = StartWithFile("autoexec.lua", ai + "\n");
    ASSERT_NE(frame, nullptr);
    chmod(game.PathOf("autoexec.lua").fn_str(), 0);

    const PermissionChecks checks;
    ASSERT_TRUE(checks.IsActive());
    EXPECT_FALSE(frame->IsAllAIModeActive());
    dialogs::ExpectMessage("Unable To Open File",
                           "The autoexec.lua file could not be opened. It may be corrupted.",
                           wxICON_ERROR);
    EXPECT_FALSE(frame->SetAllAIMode(false));
    dialogs::ExpectMessage("Unable To Open File",
                           "The autoexec.lua file could not be opened. It may be corrupted.",
                           wxICON_ERROR);
    EXPECT_FALSE(frame->SetAllAIMode(true));
    chmod(game.PathOf("autoexec.lua").fn_str(), 0644);
    EXPECT_EQ(game.Read("autoexec.lua"), ai + "\n");
}

TEST_F(AllAIModeTest, WhatIsNotAFileUnderTheNameIsReportedAndLeftAlone)
{
    InstallGame("Soulstorm.exe");
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);
    const wxString path = game.PathOf("autoexec.lua");
    ASSERT_EQ(mkfifo(path.fn_str(), 0644), 0);

    // A FIFO without a writer would block any reader that waits for one.
    EXPECT_FALSE(frame->IsAllAIModeActive());
    dialogs::ExpectMessage("Unable To Open File",
                           "The autoexec.lua file could not be opened. It may be corrupted.",
                           wxICON_ERROR);
    EXPECT_FALSE(frame->SetAllAIMode(true));
    EXPECT_TRUE(S_ISFIFO(StatOf(path).mode));

    game.Remove("autoexec.lua");
    ASSERT_EQ(symlink("gone.lua", path.fn_str()), 0);
    EXPECT_FALSE(frame->IsAllAIModeActive());
    dialogs::ExpectMessage("Unable To Open File",
                           "The autoexec.lua file could not be opened. It may be corrupted.",
                           wxICON_ERROR);
    EXPECT_FALSE(frame->SetAllAIMode(true));
    EXPECT_TRUE(S_ISLNK(StatOf(path).mode));
    EXPECT_FALSE(game.Exists("gone.lua"));
}

TEST_F(AllAIModeTest, AReadOnlyFolderIsReportedAndTheScriptKept)
{
    QuorvantFrame* const frame = StartWithFile("autoexec.lua", "-- mine\r\n");
    ASSERT_NE(frame, nullptr);
    chmod(game.Path().fn_str(), 0555);

    const PermissionChecks checks;
    ASSERT_TRUE(checks.IsActive());
    dialogs::ExpectMessage("Unable To Write To The File",
                           "Unable to write to the autoexec.lua file.", wxICON_ERROR);
    EXPECT_FALSE(frame->SetAllAIMode(true));
    EXPECT_EQ(game.Read("autoexec.lua"), "-- mine\r\n");
    // Nothing to change needs no write, so it succeeds.
    EXPECT_TRUE(frame->SetAllAIMode(false));
}

struct RestoreCase
{
    const char* what; // also the test's name
    const char* name; // nullptr: no script
    std::string bytes;
    bool allAI;
};

class RestoreTest : public AllAIModeTest, public testing::WithParamInterface<RestoreCase>
{
};

TEST_P(RestoreTest, TheWindowOpensWithTheOptionsTheScriptHolds)
{
    const RestoreCase& c = GetParam();
    InstallGame("Soulstorm.exe");
    if (c.name)
        game.Write(c.name, c.bytes);
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);
    ExpectOptions(*frame, c.allAI);
    // Only reading: the script is as it was.
    if (c.name) {
        EXPECT_EQ(game.Read(c.name), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachScript, RestoreTest,
    testing::Values(RestoreCase{"LineFirst", "autoexec.lua", ai + "\n", true},
                    RestoreCase{"LineLastOfMany", "autoexec.lua", "a\nb\nc\n" + ai, true},
                    RestoreCase{"Utf16WithTheLine", "autoexec.lua",
                                Utf16LE("-- x\r\n" + ai + "\r\n"), true},
                    RestoreCase{"OtherCase", "AUTOEXEC.LUA", ai + "\r\n", true},
                    RestoreCase{"NoLine", "autoexec.lua", "  " + ai + "\n--" + ai + "\n", false},
                    RestoreCase{"EmptyScript", "autoexec.lua", "", false},
                    RestoreCase{"NoScript", nullptr, "", false},
                    RestoreCase{"ScriptOfAnotherName", "autoexec.lua.old", ai + "\n", false}),
    [](const auto& info) { return std::string(info.param.what); });
