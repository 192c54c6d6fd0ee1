// The selected mod: the state line of each required mod and the verdict on starting it.
#include "mods/mods_test.h"

#include <wx/msgdlg.h>

#include <utility>
#include <vector>

namespace {

const char* const CanPlay = "This mod can be played.";
const char* const CannotPlay = "This mod cannot be played.";
const char* const NonPlayable = "This mod is marked as non-playable.";

class RequiredModsTest : public ModsTest
{
protected:
    // The base game as Soulstorm has it: Dawn of War's data, not playable alone, and Soulstorm's.
    void InstallBaseGame() const
    {
        Module("W40k", "[global]\nModFolder = W40k\nModVersion = 1.51\nPlayable = 0\n");
        game.MakeDirectory("W40k");
        Module("DXP2", "[global]\nModFolder = DXP2\nModVersion = 1.2\nPlayable = 1\n"
                       "RequiredMod.1 = W40k\n");
        game.MakeDirectory("DXP2");
    }

    static void ExpectVerdict(QuorvantFrame& frame, const char* status)
    {
        EXPECT_EQ(ui::StatusText(frame), status);
        ExpectStartable(frame, status == CanPlay);
    }

    static wxArrayString States(QuorvantFrame& frame)
    {
        return ui::Rows(F::RequiredModListBox(frame));
    }
};

struct VerdictCase
{
    const char* label;
    std::string mine; // the selected mod's module file
    std::vector<const char*> rows;
    const char* status;
    // Further module files (name on disk, text) and folders of the game folder.
    std::vector<std::pair<const char*, std::string>> modules = {};
    std::vector<const char*> directories = {};
    bool showAll = false;
};

void PrintTo(const VerdictCase& c, std::ostream* os)
{
    *os << c.label;
}

class VerdictTest : public RequiredModsTest, public testing::WithParamInterface<VerdictCase>
{
};

TEST_P(VerdictTest, StatesEachRequiredModAndJudgesTheMod)
{
    const VerdictCase& c = GetParam();
    InstallBaseGame();
    for (const auto& [name, text] : c.modules)
        game.Write(name, text);
    for (const char* const directory : c.directories)
        game.MakeDirectory(directory);
    Module("Mine", c.mine);
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    if (c.showAll)
        ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);

    SelectMod(*frame, "Mine");
    wxArrayString rows;
    for (const char* const row : c.rows)
        rows.Add(wxString::FromUTF8(row));
    EXPECT_EQ(States(*frame), rows);
    ExpectVerdict(*frame, c.status);
}

const std::string Playable = "[global]\nPlayable = 1\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, VerdictTest,
    testing::Values(
        VerdictCase{"NoRequiredMods", Playable, {"No mods required to run!"}, CanPlay},
        // The selected mod has no folder of its own: only the required mods' folders count.
        VerdictCase{"AllInstalled",
                    Playable + "RequiredMod.1 = DXP2\nRequiredMod.2 = W40k\n",
                    {"RequiredMod.1 = DXP2 is installed!", "RequiredMod.2 = W40k is installed!"},
                    CanPlay},
        VerdictCase{"OneMissing",
                    Playable + "RequiredMod.1 = Tyranids\nRequiredMod.2 = W40k\n",
                    {"RequiredMod.1 = Tyranids is missing!", "RequiredMod.2 = W40k is installed!"},
                    CannotPlay},
        VerdictCase{"NonPlayableStillGetsItsStates",
                    "Playable = 0\nRequiredMod.1 = Tyranids\nRequiredMod.2 = W40k\n",
                    {"RequiredMod.1 = Tyranids is missing!", "RequiredMod.2 = W40k is installed!"},
                    NonPlayable,
                    {},
                    {},
                    true},
        VerdictCase{"NoPlayableLine",
                    "RequiredMod.1 = W40k\n",
                    {"RequiredMod.1 = W40k is installed!"},
                    NonPlayable,
                    {},
                    {},
                    true},
        VerdictCase{"MatchingVersion",
                    Playable + ";; Version = 1.2\nRequiredMod.1 = DXP2\n",
                    {"RequiredMod.1 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"OtherVersion",
                    Playable + ";; Version = 1.3\nRequiredMod.1 = DXP2\n",
                    {"RequiredMod.1 = DXP2 has an incompatible version installed!"},
                    CannotPlay},
        VerdictCase{"TrailingBlankInTheComment",
                    Playable + ";; Version = 1.2 \nRequiredMod.1 = DXP2\n",
                    {"RequiredMod.1 = DXP2 has an incompatible version installed!"},
                    CannotPlay},
        VerdictCase{"TrailingBlankInTheInstalledVersion",
                    Playable + ";; Version = 2.0\nRequiredMod.1 = Spaced\n",
                    {"RequiredMod.1 = Spaced has an incompatible version installed!"},
                    CannotPlay,
                    {{"Spaced.module", "ModFolder = Spaced\nModVersion = 2.0 \n"}},
                    {"Spaced"}},
        VerdictCase{"VersionsInOtherLetterCase",
                    Playable + ";; Version = 1.0A\nRequiredMod.1 = Lettered\n",
                    {"RequiredMod.1 = Lettered has an incompatible version installed!"},
                    CannotPlay,
                    {{"Lettered.module", "ModFolder = Lettered\nModVersion = 1.0a\n"}},
                    {"Lettered"}},
        VerdictCase{"EveryCommentPrefix",
                    Playable + "// Version = 1.2\nRequiredMod.1 = DXP2\n-- Version = 1.51\n"
                               "RequiredMod.2 = W40k\n;; Version = 1.2\nRequiredMod.3 = DXP2\n",
                    {"RequiredMod.1 = DXP2 is installed!", "RequiredMod.2 = W40k is installed!",
                     "RequiredMod.3 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"EveryCommentPrefixCanRefuse",
                    Playable + "// Version = 9\nRequiredMod.1 = DXP2\n-- Version = 9\n"
                               "RequiredMod.2 = W40k\n",
                    {"RequiredMod.1 = DXP2 has an incompatible version installed!",
                     "RequiredMod.2 = W40k has an incompatible version installed!"},
                    CannotPlay},
        VerdictCase{"LinesThatAreNoVersionComments",
                    Playable + ";;Version = 9\nRequiredMod.1 = DXP2\n; Version = 9\n"
                               "RequiredMod.2 = DXP2\n;; version = 9\nRequiredMod.3 = DXP2\n"
                               ";; Version =9\nRequiredMod.4 = DXP2\n ;; Version = 9\n"
                               "RequiredMod.5 = DXP2\n;; Version= 9\nRequiredMod.6 = DXP2\n"
                               "# Version = 9\nRequiredMod.7 = DXP2\n",
                    {"RequiredMod.1 = DXP2 is installed!", "RequiredMod.2 = DXP2 is installed!",
                     "RequiredMod.3 = DXP2 is installed!", "RequiredMod.4 = DXP2 is installed!",
                     "RequiredMod.5 = DXP2 is installed!", "RequiredMod.6 = DXP2 is installed!",
                     "RequiredMod.7 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"ABlankLineBetweenIsNoComment",
                    Playable + ";; Version = 9\n\nRequiredMod.1 = DXP2\n",
                    {"RequiredMod.1 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"ACommentGovernsOnlyTheLineBelowIt",
                    Playable + ";; Version = 9\nRequiredMod.1 = DXP2\nRequiredMod.2 = W40k\n",
                    {"RequiredMod.1 = DXP2 has an incompatible version installed!",
                     "RequiredMod.2 = W40k is installed!"},
                    CannotPlay},
        VerdictCase{"EmptyComment",
                    Playable + ";; Version = \nRequiredMod.1 = DXP2\n",
                    {"RequiredMod.1 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"NoCommentAcceptsAModWithoutVersion",
                    Playable + "RequiredMod.1 = Bare\n",
                    {"RequiredMod.1 = Bare is installed!"},
                    CanPlay,
                    {{"Bare.module", "ModFolder = Bare\n"}},
                    {"Bare"}},
        VerdictCase{"ACommentRefusesAModWithoutVersion",
                    Playable + ";; Version = 1\nRequiredMod.1 = Bare\n",
                    {"RequiredMod.1 = Bare has an incompatible version installed!"},
                    CannotPlay,
                    {{"Bare.module", "ModFolder = Bare\n"}},
                    {"Bare"}},
        VerdictCase{"RequiredModsInOtherLetterCase",
                    Playable + ";; Version = 1.2\nRequiredMod.1 = dxp2\n-- Version = 1.51\n"
                               "RequiredMod.2 = W40K\n;; Version = 1\nRequiredMod.3 = shouty\n",
                    {"RequiredMod.1 = dxp2 is installed!", "RequiredMod.2 = W40K is installed!",
                     "RequiredMod.3 = shouty is installed!"},
                    CanPlay,
                    {{"Shouty.MODULE", "ModFolder = SHOUTY\nModVersion = 1\n"}},
                    {"shouty"}},
        VerdictCase{"NamesAreLiteral",
                    Playable + "RequiredMod.1 = W*\nRequiredMod.2 = DXP?\n",
                    {"RequiredMod.1 = W* is missing!", "RequiredMod.2 = DXP? is missing!"},
                    CannotPlay},
        VerdictCase{"TheNameIsWhatFollowsTheEqualsSign",
                    Playable + "RequiredMod.1=DXP2\n;; Version = 1.51\nRequiredMod.2 = W40k   \n"
                               "RequiredMod.3 =\tW40k\t\nRequiredMod.4 = Tyranid Art\n"
                               "RequiredMod.5 W40k\n",
                    {"RequiredMod.1=DXP2 is installed!", "RequiredMod.2 = W40k    is installed!",
                     "RequiredMod.3 =\tW40k\t is installed!",
                     "RequiredMod.4 = Tyranid Art is installed!",
                     "RequiredMod.5 W40k is installed!"},
                    CanPlay,
                    {{"Tyranid Art.module", "ModFolder = Tyranid Art\n"}},
                    {"Tyranid Art"}},
        VerdictCase{"AnEmptyNameNamesNoMod",
                    Playable + "RequiredMod.1 = \n",
                    {"RequiredMod.1 =  is missing!"},
                    CannotPlay,
                    {{".module", "ModFolder = W40k\n"}}},
        VerdictCase{
            "TheRequiredModsOwnFolderCounts",
            Playable + "ModFolder = Mine\nRequiredMod.1 = NoFolder\n"
                       "RequiredMod.2 = NoFolderLine\n",
            {"RequiredMod.1 = NoFolder is missing!", "RequiredMod.2 = NoFolderLine is missing!"},
            CannotPlay,
            {{"NoFolder.module", "ModFolder = NoFolder\nModVersion = 1\n"},
             {"NoFolderLine.module", "ModVersion = 1\n"}},
            {"Mine", "NoFolderLine"}},
        VerdictCase{"ADirectoryIsNoModuleFile",
                    Playable + "RequiredMod.1 = Ghost\n",
                    {"RequiredMod.1 = Ghost is missing!"},
                    CannotPlay,
                    {},
                    {"Ghost.module", "Ghost"}},
        VerdictCase{"OnlyModuleFilesDirectlyInTheGameFolder",
                    Playable + "RequiredMod.1 = Nested\n",
                    {"RequiredMod.1 = Nested is missing!"},
                    CannotPlay,
                    {{"Data/Nested.module", "ModFolder = Nested\n"}},
                    {"Nested"}},
        // W40k is not playable, so not listed; its own file still gives its version.
        VerdictCase{"UnlistedRequiredModWithMatchingVersion",
                    Playable + ";; Version = 1.51\nRequiredMod.1 = W40k\n",
                    {"RequiredMod.1 = W40k is installed!"},
                    CanPlay},
        VerdictCase{"UnlistedRequiredModWithOtherVersion",
                    Playable + ";; Version = 1.5\nRequiredMod.1 = W40k\n",
                    {"RequiredMod.1 = W40k has an incompatible version installed!"},
                    CannotPlay},
        VerdictCase{"TheVersionComesFromTheModsOwnFile",
                    Playable + ";; Version = 1.51\nRequiredMod.1 = W40k\n",
                    {"RequiredMod.1 = W40k is installed!"},
                    CanPlay,
                    {{"Best_W40k.module", "Playable = 1\nModFolder = Best_W40k\nModVersion = 7\n"}},
                    {"Best_W40k"}},
        VerdictCase{"EntriesAfterAMissingOneKeepTheirOwnComments",
                    Playable + "RequiredMod.1 = Tyranids\n;; Version = 9\nRequiredMod.2 = DXP2\n"
                               ";; Version = 1.51\nRequiredMod.3 = W40k\n",
                    {"RequiredMod.1 = Tyranids is missing!",
                     "RequiredMod.2 = DXP2 has an incompatible version installed!",
                     "RequiredMod.3 = W40k is installed!"},
                    CannotPlay},
        VerdictCase{"AnEntryOnTheFirstLineHasNoComment",
                    "RequiredMod.1 = DXP2\nPlayable = 1\n",
                    {"RequiredMod.1 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"EqualVersionsInAnyScript",
                    Playable + ";; Version = 2.0-\xe1\x9a\xb1\nRequiredMod.1 = Runes\n",
                    {"RequiredMod.1 = Runes is installed!"},
                    CanPlay,
                    {{"Runes.module", "ModFolder = Runes\nModVersion = 2.0-\xe1\x9a\xb1\n"}},
                    {"Runes"}},
        VerdictCase{"DifferentVersionsInAnyScript",
                    Playable + ";; Version = 2.0-\xe1\x9a\xb1\nRequiredMod.1 = Glyphs\n",
                    {"RequiredMod.1 = Glyphs has an incompatible version installed!"},
                    CannotPlay,
                    {{"Glyphs.module", "ModFolder = Glyphs\nModVersion = 2.0-\xe1\x9a\xa0\n"}},
                    {"Glyphs"}},
        VerdictCase{"DuplicateEntries",
                    Playable + "RequiredMod.1 = DXP2\nRequiredMod.1 = DXP2\n",
                    {"RequiredMod.1 = DXP2 is installed!", "RequiredMod.1 = DXP2 is installed!"},
                    CanPlay},
        VerdictCase{"WindowsLineEnds",
                    "[global]\r\nPlayable = 1\r\n;; Version = 1.2\r\nRequiredMod.1 = DXP2\r\n",
                    {"RequiredMod.1 = DXP2 is installed!"},
                    CanPlay}),
    [](const testing::TestParamInfo<VerdictCase>& info) { return info.param.label; });

TEST_F(RequiredModsTest, ASelectedFileThatIsGoneIsReportedThriceAndCannotBeStarted)
{
    InstallBaseGame();
    Module("Mine", Playable + "RequiredMod.1 = W40k\n");
    const wxString other = Module("Other", Playable);
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    SelectMod(*frame, "Mine");
    ExpectVerdict(*frame, CanPlay);

    game.Remove("Other.module");
    for (int box = 0; box < 3; ++box)
        dialogs::ExpectMessage("Unable To Open File", Unopenable(other), wxICON_ERROR);
    SelectMod(*frame, "Other");
    // The previous selection's entries stay, as they were shown.
    EXPECT_EQ(F::RequiredMods(*frame), Strings({"RequiredMod.1 = W40k"}));
    EXPECT_EQ(States(*frame), Strings({"RequiredMod.1 = W40k is installed!"}));
    ExpectVerdict(*frame, NonPlayable);
}

TEST_F(RequiredModsTest, AGameFolderThatCannotBeOpenedLeavesTheEntriesWithoutStates)
{
    InstallBaseGame();
    Module("Mine", Playable + "RequiredMod.1 = W40k\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    // The module file is still there; only the folder the program looks in is not.
    F::GameDirectory(*frame) = game.PathOf("gone");
    dialogs::ExpectMessage("Cannot Open Directory", "The directory cannot be opened.",
                           wxICON_ERROR);
    SelectMod(*frame, "Mine");
    EXPECT_EQ(States(*frame), Strings({"RequiredMod.1 = W40k"}));
    ExpectVerdict(*frame, CannotPlay);
}

TEST_F(RequiredModsTest, ARequiredModWhoseFileCannotBeReadIsMissing)
{
    InstallBaseGame();
    const wxString broken = UnreadableModule("Broken");
    game.MakeDirectory("Broken");
    Module("Mine", Playable + "RequiredMod.1 = Broken\nRequiredMod.2 = W40k\n");
    // The list leaves it out after saying so.
    dialogs::ExpectDirectory(game.Path());
    dialogs::ExpectMessage("Unable To Open File", Unopenable(broken), wxICON_ERROR);
    QuorvantFrame* const frame = Run();
    ASSERT_NE(frame, nullptr);

    dialogs::ExpectMessage("Unable to open file.", Unopenable(broken), wxICON_ERROR);
    SelectMod(*frame, "Mine");
    EXPECT_EQ(States(*frame), Strings({"RequiredMod.1 = Broken is missing!",
                                       "RequiredMod.2 = W40k is installed!"}));
    ExpectVerdict(*frame, CannotPlay);
}

TEST_F(RequiredModsTest, ASelectionOutsideTheListIsIgnored)
{
    InstallBaseGame();
    Module("Mine", Playable);
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    SelectMod(*frame, "Mine");
    ExpectVerdict(*frame, CanPlay);

    wxListBox* const list = F::ModListBox(*frame);
    for (const int row : {wxNOT_FOUND, static_cast<int>(list->GetCount()), 1 << 30}) {
        wxCommandEvent event(wxEVT_LISTBOX, list->GetId());
        event.SetEventObject(list);
        event.SetInt(row);
        list->HandleWindowEvent(event);
        EXPECT_EQ(States(*frame), Strings({"No mods required to run!"})) << row;
        ExpectVerdict(*frame, CanPlay);
    }
}

TEST_F(RequiredModsTest, EachSelectionReadsTheFilesAnew)
{
    InstallBaseGame();
    Module("Mine", Playable + ";; Version = 1.2\nRequiredMod.1 = DXP2\n");
    QuorvantFrame* const frame = StartGame();
    ASSERT_NE(frame, nullptr);
    SelectMod(*frame, "Mine");
    SelectMod(*frame, "Mine");
    EXPECT_EQ(States(*frame), Strings({"RequiredMod.1 = DXP2 is installed!"}));
    ExpectVerdict(*frame, CanPlay);

    // Another mod's verdict replaces it.
    Module("DXP2", "ModFolder = DXP2\nModVersion = 1.2\nPlayable = 1\nRequiredMod.1 = Gone\n");
    SelectMod(*frame, "DXP2");
    EXPECT_EQ(States(*frame), Strings({"RequiredMod.1 = Gone is missing!"}));
    ExpectVerdict(*frame, CannotPlay);

    Module("DXP2", "ModFolder = DXP2\nModVersion = 1.3\nPlayable = 1\n");
    SelectMod(*frame, "Mine");
    EXPECT_EQ(States(*frame), Strings({"RequiredMod.1 = DXP2 has an incompatible version "
                                       "installed!"}));
    ExpectVerdict(*frame, CannotPlay);

    Module("DXP2", "ModFolder = DXP2\nModVersion = 1.2\nPlayable = 1\n");
    SelectMod(*frame, "Mine");
    ExpectVerdict(*frame, CanPlay);

    Module("Mine", "Playable = 0\n");
    SelectMod(*frame, "Mine");
    EXPECT_EQ(States(*frame), Strings({"No mods required to run!"}));
    ExpectVerdict(*frame, NonPlayable);
}

} // namespace
