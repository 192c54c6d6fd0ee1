// The All AI line found, added and removed on raw script bytes, and files read and replaced.
#include "launch/script_edit.h"

#include "support/permission_checks.h"
#include "support/temp_folder.h"

#include <wx/convauto.h>
#include <wx/textfile.h>

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string ai = "Cpu_ControlLocalPlayer()";

// ASCII text as UTF-16 or UTF-32 code units without a byte-order mark.
std::string Wide(const std::string& ascii, int unitSize, bool bigEndian)
{
    std::string out;
    for (const char c : ascii) {
        std::string unit(unitSize, '\0');
        unit[bigEndian ? unitSize - 1 : 0] = c;
        out += unit;
    }
    return out;
}

const std::string bomUtf8 = "\xEF\xBB\xBF";
const std::string bomUtf16LE = "\xFF\xFE";
const std::string bomUtf16BE = "\xFE\xFF";
const std::string bomUtf32LE = "\xFF\xFE\x00\x00"s;
const std::string bomUtf32BE = "\x00\x00\xFE\xFF"s;

std::string Utf16LE(const std::string& ascii)
{
    return bomUtf16LE + Wide(ascii, 2, false);
}
std::string Utf16BE(const std::string& ascii)
{
    return bomUtf16BE + Wide(ascii, 2, true);
}
std::string Utf32LE(const std::string& ascii)
{
    return bomUtf32LE + Wide(ascii, 4, false);
}
std::string Utf32BE(const std::string& ascii)
{
    return bomUtf32BE + Wide(ascii, 4, true);
}

std::vector<std::string> Names(const TempFolder& folder)
{
    std::vector<std::string> names;
    if (DIR* const dir = opendir(folder.Path().fn_str())) {
        while (const dirent* const item = readdir(dir)) {
            const std::string name = item->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

// The lines as the toolkit reads the file, the way the rest of the program reads game files.
std::vector<wxString> ToolkitLines(const std::string& bytes)
{
    const TempFolder folder("script");
    wxTextFile file(folder.Write("script.lua", bytes));
    std::vector<wxString> lines;
    if (file.Open(wxConvAuto())) {
        for (size_t i = 0; i < file.GetLineCount(); ++i)
            lines.push_back(file[i]);
    }
    return lines;
}

mode_t ModeOf(const wxString& path)
{
    struct stat info;
    return lstat(path.fn_str(), &info) == 0 ? info.st_mode : 0;
}

struct DetectionCase
{
    const char* what;
    std::string bytes;
    bool hasLine;
};

const std::vector<DetectionCase> detectionCases = {
    {"empty file", "", false},
    {"first line, LF", ai + "\nprint(1)\n", true},
    {"third line, CRLF", "a\r\nb\r\n" + ai + "\r\nc\r\n", true},
    {"last line without a line end", "a\nb\n" + ai, true},
    {"lone CR line ends", "a\r" + ai + "\rb", true},
    {"after empty lines", "\n\r\n\r" + ai, true},
    {"trailing text counts", ai + " -- all players are the AI\n", true},
    {"leading blanks", "  " + ai + "\n", false},
    {"commented out", "--" + ai + "\n", false},
    {"lower case", "cpu_controllocalplayer()\n", false},
    {"upper case", "CPU_CONTROLLOCALPLAYER()\n", false},
    {"one character short", "Cpu_ControlLocalPlayer(\n", false},
    {"broken by a line end", "Cpu_Control\nLocalPlayer()\n", false},
    {"broken by a lone CR", "Cpu_ControlLocal\rPlayer()", false},
    {"UTF-8 byte-order mark before it", bomUtf8 + ai + "\r\nx\r\n", true},
    {"Latin-1 bytes around it", "-- caf\xE9\n" + ai + "\n-- \xFC\xDF\n", true},
    {"invalid UTF-8 before it", "\xC3\x28\n" + ai, true},
    {"UTF-16LE first line", Utf16LE(ai + "\r\nx\r\n"), true},
    {"UTF-16BE third line", Utf16BE("a\nb\n" + ai + "\n"), true},
    {"UTF-16LE, blanks before it", Utf16LE("  " + ai + "\n"), false},
    {"UTF-32LE last line", Utf32LE("a\r" + ai), true},
    {"UTF-32BE", Utf32BE("x\r\n" + ai + "\r\n"), true},
    {"8-bit command bytes in a UTF-16 file", bomUtf16LE + ai + "\n", false},
    {"8-bit command bytes in a UTF-32 file", bomUtf32BE + ai + "\n", false},
};

} // namespace

TEST(ScriptEdit, FindsTheLineOnlyAtTheStartOfALine)
{
    for (const DetectionCase& c : detectionCases)
        EXPECT_EQ(HasAllAILine(c.bytes), c.hasLine) << c.what;
}

TEST(ScriptEdit, AgreesWithTheToolkitsReadingOfTheScript)
{
    for (const DetectionCase& c : detectionCases) {
        bool found = false;
        for (const wxString& line : ToolkitLines(c.bytes))
            found = found || line.StartsWith(ai);
        EXPECT_EQ(HasAllAILine(c.bytes), found) << c.what;
    }
}

struct AddCase
{
    const char* what;
    std::string original;
    std::string added;
};

const std::vector<AddCase> addCases = {
    {"empty file", "", ai + "\n"},
    {"LF lines", "a\nb\n", ai + "\na\nb\n"},
    {"CRLF lines", "a\r\nb\r\n", ai + "\na\r\nb\r\n"},
    {"lone CR lines", "a\rb\r", ai + "\na\rb\r"},
    {"mixed line ends", "a\r\nb\nc\rd", ai + "\na\r\nb\nc\rd"},
    {"no final line end", "print(1)", ai + "\nprint(1)"},
    {"only line ends", "\n\r\n", ai + "\n\n\r\n"},
    {"UTF-8 byte-order mark", bomUtf8 + "x\r\n", bomUtf8 + ai + "\nx\r\n"},
    {"UTF-8 byte-order mark alone", bomUtf8, bomUtf8 + ai + "\n"},
    {"Latin-1 bytes", "-- caf\xE9\r\n-- \xFF", ai + "\n-- caf\xE9\r\n-- \xFF"},
    {"UTF-8 text", "-- caf\xC3\xA9\n", ai + "\n-- caf\xC3\xA9\n"},
    {"UTF-16LE", Utf16LE("a\r\nb"), Utf16LE(ai + "\na\r\nb")},
    {"UTF-16BE", Utf16BE("a\rb\r"), Utf16BE(ai + "\na\rb\r")},
    {"UTF-32LE", Utf32LE("a\n"), Utf32LE(ai + "\na\n")},
    {"UTF-32BE", Utf32BE("a\r\n"), Utf32BE(ai + "\na\r\n")},
    {"commented-out line", "--" + ai + "\n", ai + "\n--" + ai + "\n"},
};

TEST(ScriptEdit, AddsTheLineFirstInTheFilesEncoding)
{
    // The wide cases rest on the test's own helper; tie it to literal bytes.
    ASSERT_EQ(Utf16BE("C\n"), "\xFE\xFF\x00"
                              "C\x00\n"s);
    ASSERT_EQ(Utf32LE("C"), "\xFF\xFE\x00\x00"
                            "C\x00\x00\x00"s);

    for (const AddCase& c : addCases) {
        const std::string added = AddAllAILine(c.original);
        EXPECT_EQ(added, c.added) << c.what;
        EXPECT_TRUE(HasAllAILine(added)) << c.what;

        // The toolkit reads the new line first and every old line as before.
        std::vector<wxString> expected = ToolkitLines(c.original);
        expected.insert(expected.begin(), ai);
        EXPECT_EQ(ToolkitLines(added), expected) << c.what;
    }
}

TEST(ScriptEdit, RemovingTheAddedLineGivesBackTheOriginalBytes)
{
    for (const AddCase& c : addCases)
        EXPECT_EQ(RemoveAllAILines(AddAllAILine(c.original)), c.original) << c.what;

    // Bytes that do not even decode survive too: a UTF-16 file with an odd last byte.
    const std::string odd = Utf16LE("a\n") + "z";
    EXPECT_EQ(AddAllAILine(odd), Utf16LE(ai + "\na\n") + "z");
    EXPECT_EQ(RemoveAllAILines(AddAllAILine(odd)), odd);
}

TEST(ScriptEdit, RemovesEveryAllAILineWithItsOwnLineEnd)
{
    const struct
    {
        const char* what;
        std::string original;
        std::string removed;
    } cases[] = {
        {"only line, LF", ai + "\n", ""},
        {"first of two", ai + "\r\nrest\r\n", "rest\r\n"},
        {"third place, CR", "a\rb\r" + ai + "\rc", "a\rb\rc"},
        {"last line without a line end", "a\r\n" + ai, "a\r\n"},
        {"two lines, one with trailing text", ai + "\nx\n" + ai + " -- again\r\ny", "x\ny"},
        {"two in a row", ai + "\n" + ai + "\r\nz", "z"},
        {"others kept", "  " + ai + "\n--" + ai + "\n", "  " + ai + "\n--" + ai + "\n"},
        {"no line at all", "a\nb", "a\nb"},
        {"UTF-8 byte-order mark", bomUtf8 + ai + "\r\nrest", bomUtf8 + "rest"},
        {"Latin-1 bytes", "\xE9\n" + ai + "\n\xFF", "\xE9\n\xFF"},
        {"UTF-16BE", Utf16BE("x\n" + ai + "\n"), Utf16BE("x\n")},
        {"UTF-16LE two lines", Utf16LE(ai + "\r\ny\r" + ai), Utf16LE("y\r")},
        {"UTF-32LE", Utf32LE(ai + "\nz"), Utf32LE("z")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemoveAllAILines(c.original), c.removed) << c.what;
        EXPECT_FALSE(HasAllAILine(RemoveAllAILines(c.original))) << c.what;
    }
}

TEST(ScriptEdit, LeavesAScriptWhoseRestWouldReadInAnotherEncoding)
{
    // An 8-bit script whose second line begins with what reads as a UTF-16 byte-order mark:
    // without its first line the rest would be UTF-16 text that holds the command again.
    std::string hidden = "\xFE\xFF";
    for (const char c : std::string("Cpu_ControlLocalPlayer()"))
        hidden += std::string(1, '\0') + c;
    const std::string script = "Cpu_ControlLocalPlayer()\n" + hidden;
    ASSERT_TRUE(HasAllAILine(script));
    EXPECT_EQ(RemoveAllAILines(script), script);
    EXPECT_TRUE(HasAllAILine(RemoveAllAILines(script)));
}

TEST(ScriptEdit, ReadsRegularFilesWhole)
{
    const TempFolder folder("script");
    std::string bytes = "stale";
    EXPECT_EQ(ReadFileBytes(folder.PathOf("missing.lua"), bytes), FileReadResult::Missing);
    EXPECT_TRUE(bytes.empty());

    const std::string content = "a\0b\r\n\xFF"s;
    folder.Write("script.lua", content);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("script.lua"), bytes), FileReadResult::Read);
    EXPECT_EQ(bytes, content);

    folder.Write("empty.lua", "");
    EXPECT_EQ(ReadFileBytes(folder.PathOf("empty.lua"), bytes), FileReadResult::Read);
    EXPECT_TRUE(bytes.empty());

    symlink("script.lua", folder.PathOf("link.lua").fn_str());
    EXPECT_EQ(ReadFileBytes(folder.PathOf("link.lua"), bytes), FileReadResult::Read);
    EXPECT_EQ(bytes, content);
}

TEST(ScriptEdit, RefusesWhatIsNotABoundedRegularFile)
{
    const TempFolder folder("script");
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(folder.Path(), bytes), FileReadResult::Unreadable);

    // Without a writer, a blocking open of a FIFO would never return.
    ASSERT_EQ(mkfifo(folder.PathOf("fifo.lua").fn_str(), 0644), 0);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("fifo.lua"), bytes), FileReadResult::Unreadable);

    folder.Write("five.lua", "12345");
    EXPECT_EQ(ReadFileBytes(folder.PathOf("five.lua"), bytes, 5), FileReadResult::Read);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("five.lua"), bytes, 4), FileReadResult::Unreadable);
    EXPECT_TRUE(bytes.empty());

    const PermissionChecks checks;
    ASSERT_TRUE(checks.IsActive());
    chmod(folder.PathOf("five.lua").fn_str(), 0);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("five.lua"), bytes), FileReadResult::Unreadable);
}

TEST(ScriptEdit, ReplacesAFileAndKeepsItsMode)
{
    const TempFolder folder("script");
    const wxString path = folder.PathOf("autoexec.lua");
    for (const mode_t mode : {0600, 0640, 0755}) {
        folder.Write("autoexec.lua", "old\n");
        chmod(path.fn_str(), mode);
        ASSERT_TRUE(ReplaceFileAtomically(path, "new\r\n"));
        EXPECT_EQ(folder.Read("autoexec.lua"), "new\r\n");
        EXPECT_EQ(ModeOf(path), S_IFREG | mode);
    }
    EXPECT_EQ(Names(folder), std::vector<std::string>{"autoexec.lua"});
}

TEST(ScriptEdit, ANewFileGetsTheUsualModeUnderTheUmask)
{
    const TempFolder folder("script");
    const mode_t previous = umask(027);
    const bool replaced = ReplaceFileAtomically(folder.PathOf("autoexec.lua"), ai + "\n");
    umask(previous);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(folder.Read("autoexec.lua"), ai + "\n");
    EXPECT_EQ(ModeOf(folder.PathOf("autoexec.lua")), S_IFREG | 0640);
}

TEST(ScriptEdit, ReplacesASymbolicLinkInsteadOfWritingThroughIt)
{
    const TempFolder folder("script");
    folder.Write("shared.lua", "shared\n");
    chmod(folder.PathOf("shared.lua").fn_str(), 0604);
    ASSERT_EQ(symlink("shared.lua", folder.PathOf("autoexec.lua").fn_str()), 0);

    ASSERT_TRUE(ReplaceFileAtomically(folder.PathOf("autoexec.lua"), "mine\n"));
    EXPECT_EQ(folder.Read("shared.lua"), "shared\n");
    EXPECT_EQ(folder.Read("autoexec.lua"), "mine\n");
    EXPECT_EQ(ModeOf(folder.PathOf("autoexec.lua")), S_IFREG | 0604);
}

TEST(ScriptEdit, AReadOnlyFolderLeavesTheFileAsItWas)
{
    const TempFolder folder("script");
    const wxString path = folder.Write("autoexec.lua", "keep\r\n");
    chmod(folder.Path().fn_str(), 0555);

    const PermissionChecks checks;
    ASSERT_TRUE(checks.IsActive());
    EXPECT_FALSE(ReplaceFileAtomically(path, "lost\n"));
    EXPECT_EQ(folder.Read("autoexec.lua"), "keep\r\n");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"autoexec.lua"});
}

TEST(ScriptEdit, AFailedRenameLeavesNoTemporaryFile)
{
    const TempFolder folder("script");
    mkdir(folder.PathOf("autoexec.lua").fn_str(), 0755);
    EXPECT_FALSE(ReplaceFileAtomically(folder.PathOf("autoexec.lua"), "x\n"));
    EXPECT_EQ(Names(folder), std::vector<std::string>{"autoexec.lua"});
    EXPECT_FALSE(ReplaceFileAtomically(folder.PathOf("gone/autoexec.lua"), "x\n"));
}
