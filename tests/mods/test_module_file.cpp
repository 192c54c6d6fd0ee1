// Reading a module file's version, Playable flag, mod folder and required mods.
#include "mods/mods_test.h"

#include <wx/msgdlg.h>

#include <filesystem>

namespace {

class ModuleFileTest : public ModsTest
{
protected:
    void SetUp() override
    {
        ModsTest::SetUp();
        Module("Demo", "Playable = 1\n");
        frame = StartGame();
        ASSERT_NE(frame, nullptr);
    }

    QuorvantFrame* frame = nullptr;
};

struct KeyCase
{
    const char* label;
    std::string bytes;
    const char* version; // UTF-8
    bool playable;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.label;
}

class VersionAndPlayableTest : public ModuleFileTest, public testing::WithParamInterface<KeyCase>
{
};

TEST_P(VersionAndPlayableTest, TakesTheFirstLineThatBeginsWithTheKeyExactly)
{
    const wxString path = Module("Read", GetParam().bytes);
    EXPECT_EQ(frame->ReadModVersion(path), wxString::FromUTF8(GetParam().version));
    EXPECT_EQ(QuorvantFrame::IsModPlayable(path), GetParam().playable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VersionAndPlayableTest,
    testing::Values(
        KeyCase{"Plain", "[global]\nModVersion = 1.2\nPlayable = 1\n", "1.2", true},
        KeyCase{"NoBlankAfterTheEqualsSign", "ModVersion =1.2\nPlayable =1\n", "", false},
        KeyCase{"NoBlankBeforeTheEqualsSign", "ModVersion= 1.2\nPlayable= 1\n", "", false},
        KeyCase{"TwoBlanksAfterTheEqualsSign", "ModVersion =  1.2\nPlayable =  1\n", " 1.2", false},
        KeyCase{"TrailingBlanksBelongToTheValue", "ModVersion = 1.2 \nPlayable = 1 \n", "1.2 ",
                false},
        KeyCase{"TrailingTabBelongsToTheValue", "ModVersion = 1.2\t\nPlayable = 1\t\n", "1.2\t",
                false},
        KeyCase{"FirstLineWins", "ModVersion = 1\nModVersion = 2\nPlayable = 0\nPlayable = 1\n",
                "1", false},
        KeyCase{"FirstPlayableLineWins", "Playable = 1\nPlayable = 0\n", "", true},
        KeyCase{"IndentedLinesCarryNoKey", " ModVersion = 1\n\tPlayable = 1\n", "", false},
        KeyCase{"KeysAreCaseSensitive", "modversion = 1\nplayable = 1\nPLAYABLE = 1\n", "", false},
        KeyCase{"KeyInsideALine", "; ModVersion = 1\nX Playable = 1\n", "", false},
        KeyCase{"KeyInsideAnotherValue", "Description = ModVersion = 9\nModVersion = 3\n", "3",
                false},
        KeyCase{"OnlyTheOneCharacterOneIsPlayable", "Playable = true\n", "", false},
        KeyCase{"TenIsNotOne", "Playable = 10\n", "", false},
        KeyCase{"EmptyValues", "ModVersion = \nPlayable = \n", "", false},
        KeyCase{"NoKeys", "[global]\nUIName = Nothing\n", "", false},
        KeyCase{"EmptyFile", "", "", false},
        KeyCase{"Utf8Text", "ModVersion = 1.0 \xce\xb2-\xe1\x9a\xb1\n", "1.0 \xce\xb2-\xe1\x9a\xb1",
                false},
        KeyCase{"EightBitText", "ModVersion = caf\xe9\n", "caf\xc3\xa9", false}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.label; });

// One module file written with every kind of line end and byte-order mark that occurs.
struct Encoding
{
    const char* label;
    const char* bom;
    const char* lineEnd;
    bool finalLineEnd;
    bool utf16;
};

void PrintTo(const Encoding& c, std::ostream* os)
{
    *os << c.label;
}

class LineEndTest : public ModuleFileTest, public testing::WithParamInterface<Encoding>
{
};

std::string Encode(const Encoding& encoding, const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || encoding.finalLineEnd)
            text += encoding.lineEnd;
    }
    std::string bytes = encoding.bom;
    for (const char c : text) {
        bytes += c;
        if (encoding.utf16)
            bytes += '\0';
    }
    return bytes;
}

TEST_P(LineEndTest, EveryReaderSeesTheSameLines)
{
    game.MakeDirectory("Folder");
    const wxString path =
        Module("Ends", Encode(GetParam(),
                              {"[global]", "ModVersion = 2.1", "Playable = 1", "ModFolder = Folder",
                               "RequiredMod.1 = W40k", "RequiredMod.2 = DXP2"}));
    EXPECT_EQ(frame->ReadModVersion(path), "2.1");
    EXPECT_TRUE(QuorvantFrame::IsModPlayable(path));
    EXPECT_TRUE(frame->HasModFolder(path));
    ASSERT_TRUE(frame->ReadRequiredMods(path));
    EXPECT_EQ(F::RequiredMods(*frame), Strings({"RequiredMod.1 = W40k", "RequiredMod.2 = DXP2"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEndTest,
    testing::Values(Encoding{"Unix", "", "\n", true, false},
                    Encoding{"UnixUnterminated", "", "\n", false, false},
                    Encoding{"Windows", "", "\r\n", true, false},
                    Encoding{"WindowsUnterminated", "", "\r\n", false, false},
                    Encoding{"OldMacintosh", "", "\r", true, false},
                    Encoding{"OldMacintoshUnterminated", "", "\r", false, false},
                    Encoding{"Utf8MarkWindows", "\xef\xbb\xbf", "\r\n", true, false},
                    Encoding{"Utf8MarkUnix", "\xef\xbb\xbf", "\n", false, false},
                    Encoding{"Utf16Windows", "\xff\xfe", "\r\n", true, true}),
    [](const testing::TestParamInfo<Encoding>& info) { return info.param.label; });

struct FolderCase
{
    const char* label;
    std::string bytes;
    std::vector<std::string> directories;
    std::vector<std::string> files;
    bool found;
};

void PrintTo(const FolderCase& c, std::ostream* os)
{
    *os << c.label;
}

class ModFolderTest : public ModuleFileTest, public testing::WithParamInterface<FolderCase>
{
};

TEST_P(ModFolderTest, LooksForTheNamedSubDirectoryAsTheGameDoes)
{
    for (const std::string& directory : GetParam().directories)
        game.MakeDirectory(directory);
    for (const std::string& file : GetParam().files)
        game.Write(file, "");
    EXPECT_EQ(frame->HasModFolder(Module("Folder", GetParam().bytes)), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModFolderTest,
    testing::Values(
        FolderCase{"Exact", "ModFolder = Art\n", {"Art"}, {}, true},
        FolderCase{"OtherLetterCase", "ModFolder = art\n", {"ART"}, {}, true},
        FolderCase{"TrailingBlanksAreIgnored", "ModFolder = Art  \n", {"Art"}, {}, true},
        FolderCase{"ALeadingBlankIsPartOfTheName", "ModFolder =  Art\n", {"Art"}, {}, false},
        FolderCase{"EmptyValueNamesNoFolder", "ModFolder = \n", {"Art"}, {}, false},
        FolderCase{"BlanksOnlyNameNoFolder", "ModFolder =   \n", {"Art"}, {}, false},
        FolderCase{"StarIsLiteral", "ModFolder = A*\n", {"Art"}, {}, false},
        FolderCase{"QuestionMarkIsLiteral", "ModFolder = A?t\n", {"Art"}, {}, false},
        FolderCase{"WildcardCharactersMatchThemselves", "ModFolder = A*\n", {"A*"}, {}, true},
        FolderCase{"AFileIsNoFolder", "ModFolder = Art\n", {}, {"Art"}, false},
        FolderCase{"OnlyDirectlyInTheGameFolder", "ModFolder = Art\n", {"Data/Art"}, {}, false},
        FolderCase{"NoPathsBelowTheGameFolder", "ModFolder = Data/Art\n", {"Data/Art"}, {}, false},
        FolderCase{"HiddenFolder", "ModFolder = .Art\n", {".Art"}, {}, true},
        FolderCase{"FirstLineWins", "ModFolder = Gone\nModFolder = Art\n", {"Art"}, {}, false},
        FolderCase{"NoModFolderLine", "Playable = 1\n", {"Art"}, {}, false},
        FolderCase{"KeyIsCaseSensitive", "modfolder = Art\n", {"Art"}, {}, false}),
    [](const testing::TestParamInfo<FolderCase>& info) { return info.param.label; });

TEST_F(ModuleFileTest, AModFolderThatIsALinkToADirectoryCounts)
{
    game.MakeDirectory("Art");
    std::error_code error;
    std::filesystem::create_directory_symlink("Art", std::string(game.PathOf("Linked").fn_str()),
                                              error);
    ASSERT_FALSE(error);
    EXPECT_TRUE(frame->HasModFolder(Module("Folder", "ModFolder = Linked\n")));
}

struct RequiredCase
{
    const char* label;
    std::string bytes;
    std::vector<const char*> entries;
};

void PrintTo(const RequiredCase& c, std::ostream* os)
{
    *os << c.label;
}

class RequiredModLinesTest : public ModuleFileTest, public testing::WithParamInterface<RequiredCase>
{
};

TEST_P(RequiredModLinesTest, TakesEveryRequiredModLineWholeAndInFileOrder)
{
    F::RequiredMods(*frame) = Strings({"left over from before"});
    ASSERT_TRUE(frame->ReadRequiredMods(Module("Needs", GetParam().bytes)));
    wxArrayString expected;
    for (const char* const entry : GetParam().entries)
        expected.Add(entry);
    EXPECT_EQ(F::RequiredMods(*frame), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequiredModLinesTest,
    testing::Values(
        RequiredCase{"FileOrderAndDuplicates",
                     "RequiredMod.2 = B\nRequiredMod.1 = A\nRequiredMod.1 = A\n",
                     {"RequiredMod.2 = B", "RequiredMod.1 = A", "RequiredMod.1 = A"}},
        RequiredCase{"Untrimmed",
                     "RequiredMod.1 = A  \nRequiredMod.2=B\n",
                     {"RequiredMod.1 = A  ", "RequiredMod.2=B"}},
        RequiredCase{"OnlyTheExactPrefix",
                     "RequiredMod1 = A\n RequiredMod.2 = B\nrequiredmod.3 = C\nRequiredMod.4 = D\n",
                     {"RequiredMod.4 = D"}},
        RequiredCase{"TheBareKey", "RequiredMod.\n", {"RequiredMod."}},
        RequiredCase{"None", "[global]\nPlayable = 1\n", {"No mods required to run!"}},
        RequiredCase{"EmptyFile", "", {"No mods required to run!"}}),
    [](const testing::TestParamInfo<RequiredCase>& info) { return info.param.label; });

TEST_F(ModuleFileTest, AFileThatCannotBeOpenedIsReportedByEachReader)
{
    const wxString missing = game.PathOf("Missing.module");
    F::RequiredMods(*frame) = Strings({"RequiredMod.1 = Kept"});

    dialogs::ExpectMessage("Unable To Open File", Unopenable(missing), wxICON_ERROR);
    EXPECT_EQ(frame->ReadModVersion(missing), "error");
    dialogs::VerifyNoneLeft();

    dialogs::ExpectMessage("Unable To Open File", Unopenable(missing), wxICON_ERROR);
    EXPECT_FALSE(QuorvantFrame::IsModPlayable(missing));
    dialogs::VerifyNoneLeft();

    // Only the file's box, although the folder is gone as well: the file is opened first.
    F::GameDirectory(*frame) = game.PathOf("gone");
    dialogs::ExpectMessage("Unable to open file.", Unopenable(missing), wxICON_ERROR);
    EXPECT_FALSE(frame->HasModFolder(missing));
    dialogs::VerifyNoneLeft();

    dialogs::ExpectMessage("Unable To Open File", Unopenable(missing), wxICON_ERROR);
    EXPECT_FALSE(frame->ReadRequiredMods(missing));
    EXPECT_EQ(F::RequiredMods(*frame), Strings({"RequiredMod.1 = Kept"}));
}

TEST_F(ModuleFileTest, AnUnreadableFileIsReportedLikeAMissingOne)
{
    const wxString path = UnreadableModule("Broken");
    dialogs::ExpectMessage("Unable To Open File", Unopenable(path), wxICON_ERROR);
    EXPECT_EQ(frame->ReadModVersion(path), "error");
}

TEST_F(ModuleFileTest, AModFolderInAGameFolderThatCannotBeOpenedIsReported)
{
    TempFolder elsewhere("elsewhere");
    const wxString path = elsewhere.Write("Mod.module", "ModFolder = Art\n");
    game.MakeDirectory("Art");
    F::GameDirectory(*frame) = game.PathOf("gone");
    dialogs::ExpectMessage("Cannot Open Directory", "The directory cannot be opened.",
                           wxOK | wxCENTRE);
    EXPECT_FALSE(frame->HasModFolder(path));
}

TEST_F(ModuleFileTest, EachCallReadsTheFileAnew)
{
    const wxString path = Module("Changing", "ModVersion = 1\nPlayable = 1\nRequiredMod.1 = A\n");
    EXPECT_EQ(frame->ReadModVersion(path), "1");
    EXPECT_TRUE(QuorvantFrame::IsModPlayable(path));
    Module("Changing", "ModVersion = 2\nPlayable = 0\n");
    EXPECT_EQ(frame->ReadModVersion(path), "2");
    EXPECT_FALSE(QuorvantFrame::IsModPlayable(path));
    ASSERT_TRUE(frame->ReadRequiredMods(path));
    EXPECT_EQ(F::RequiredMods(*frame), Strings({"No mods required to run!"}));
}

} // namespace
