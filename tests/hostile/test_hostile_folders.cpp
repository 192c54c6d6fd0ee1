// Every flow of the program on game folders that hold what a downloaded mod may put there.
#include "support/gui_test.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string demoModule =
    "[global]\r\nModVersion = 1.0\r\nPlayable = 1\r\nModFolder = Demo\r\n";
const std::string script = "-- the game's own start-up script\r\nbind(\"F1\", \"x\")\r\n";
const std::string ai = "Cpu_ControlLocalPlayer()";

std::string Narrow(const wxString& path)
{
    return std::string(path.fn_str());
}

// What a module file under test turns out to be for the program.
enum class Module
{
    Readable,   // listed with Show All Mods and read without a box
    Unopenable, // listed, and every reader shows its box
    NotAModule  // not listed at all; a reader handed its path shows its box
};

// What the script edit meets under the name autoexec.lua.
enum class Script
{
    Plain,     // an ordinary script: the line goes in and comes out again
    Symlink,   // a link to a file outside the game folder, which must stay as it was
    Directory, // cannot be read, so the line cannot go in
    ReadOnly   // the folder cannot be written, so the line cannot go in
};

struct Folder
{
    wxString path;    // the game folder
    wxString outside; // a folder beside it, for the targets of links that lead out
};

struct HostileCase
{
    const char* label;
    std::string moduleName; // file name of the module under test, in the file system's bytes
    Module module;
    std::function<void(const Folder&, const std::string& path)> make; // makes the module file
    Script script = Script::Plain;
    bool playable = false;  // a Readable module that can be selected and started
    bool asUser = false;    // runs only as an unprivileged user
    std::string gameFolder; // a sub-folder of the temporary folder to use as the game folder
};

HostileCase Case(const char* label, std::string moduleName, Module module,
                 std::function<void(const Folder&, const std::string&)> make,
                 Script script = Script::Plain, bool playable = false, bool asUser = false,
                 std::string gameFolder = std::string())
{
    return HostileCase{label,  std::move(moduleName), module, std::move(make), script, playable,
                       asUser, std::move(gameFolder)};
}

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.label;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::function<void(const Folder&, const std::string&)> Bytes(std::string bytes)
{
    return [bytes](const Folder&, const std::string& path) { WriteBytes(path, bytes); };
}

std::string Repeat(const std::string& part, size_t count)
{
    std::string text;
    text.reserve(part.size() * count);
    for (size_t i = 0; i < count; ++i)
        text += part;
    return text;
}

std::string Utf16(const std::string& ascii)
{
    std::string bytes = "\xff\xfe";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

// A playable mod whose folder exists, so that it can be started.
std::string PlayableText(const std::string& extra = std::string())
{
    return "[global]\nModVersion = 2.0\nPlayable = 1\nModFolder = Demo\n" + extra;
}

std::string NonPlayableText(const std::string& extra = std::string())
{
    return "[global]\nModVersion = 2.0\nPlayable = 0\nModFolder = Demo\n" + extra;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Everything in the folder as it is on disk: the type, mode and bytes or link target of each
// entry, read without following links and without opening anything but regular files.
std::map<std::string, std::string> Snapshot(const std::string& root)
{
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string path = it->path().string();
        struct stat info = {};
        if (lstat(path.c_str(), &info) != 0) {
            entries[path] = "<vanished>";
            continue;
        }
        std::string state = std::to_string(info.st_mode) + ":";
        if (S_ISREG(info.st_mode)) {
            std::ifstream in(path, std::ios::binary);
            state += in ? std::string(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>())
                        : "<unreadable>";
        } else if (S_ISLNK(info.st_mode)) {
            state += fs::read_symlink(path, error).string();
        }
        entries[path] = state;
    }
    return entries;
}

class HostileFolderTest : public GuiTest, public testing::WithParamInterface<HostileCase>
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        if (GetParam().asUser && geteuid() == 0)
            GTEST_SKIP() << "denied permissions need an unprivileged user: see hostile_as_user";
        // A flow that blocks ends the whole program here rather than hanging the suite.
        alarm(300);
    }
    void TearDown() override
    {
        alarm(0);
        GuiTest::TearDown();
    }

    std::string RecordingScript() const
    {
        const std::string into = Narrow(records.Path());
        return "PATH=/usr/bin:/bin\n"
               "printf '%s\\0' \"$@\" > '" +
               into + "/.start'\nmv '" + into + "/.start' '" + into + "/start-'$$\n";
    }

    // The arguments of the next start the stand-in records.
    std::vector<std::string> WaitForStart()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            std::error_code error;
            for (const auto& item : fs::directory_iterator(Narrow(records.Path()), error)) {
                const std::string name = item.path().filename().string();
                if (name.rfind("start-", 0) != 0)
                    continue;
                std::ifstream in(item.path(), std::ios::binary);
                const std::string text((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
                fs::remove(item.path(), error);
                std::vector<std::string> arguments;
                size_t begin = 0;
                for (size_t end; (end = text.find('\0', begin)) != std::string::npos;
                     begin = end + 1)
                    arguments.push_back(text.substr(begin, end - begin));
                return arguments;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ADD_FAILURE() << "the game was not started";
        return {};
    }

    static void ExpectUnopenable(const wxString& title, const wxString& path)
    {
        dialogs::ExpectMessage(title, "Unable to open " + path + ".", wxICON_ERROR);
    }

    // Presses the start button and answers the question; `after` expects what follows it.
    static void Launch(QuorvantFrame& frame, const wxString& entry, const wxString& options,
                       const std::function<void()>& after = {})
    {
        dialogs::ExpectMessage(
            "Start Mod?",
            "Start the " + entry + " mod" +
                (options.empty() ? "?" : " with the following options?\n" + options),
            wxYES_NO, wxID_YES);
        if (after)
            after();
        wxButton* const button = F::StartButton(frame);
        ASSERT_TRUE(button->IsEnabled()) << entry << " cannot be started";
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->HandleWindowEvent(click);
    }

    static int RowOf(QuorvantFrame& frame, const wxString& entry)
    {
        return F::ModDisplayNames(frame).Index(entry);
    }

    TempFolder records{"records"};
    TempFolder outside{"outside"};
};

TEST_P(HostileFolderTest, EveryFlowKeepsRunningShowsItsBoxAndLeavesTheFilesAlone)
{
    const HostileCase& c = GetParam();
    const wxString dir = c.gameFolder.empty()
                             ? game.Path()
                             : game.MakeDirectory(wxString(c.gameFolder.c_str(), *wxConvFileName));
    const std::string root = Narrow(dir);
    WriteBytes(root + "/Demo.module", demoModule);
    fs::create_directory(root + "/Demo");
    WriteBytes(root + "/Soulstorm.exe", "#!/bin/sh\n" + RecordingScript());
    fs::permissions(root + "/Soulstorm.exe",
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const std::string outsideScript = Narrow(outside.PathOf("autoexec.lua"));
    switch (c.script) {
    case Script::Plain:
    case Script::ReadOnly:
        WriteBytes(root + "/autoexec.lua", script);
        break;
    case Script::Symlink:
        WriteBytes(outsideScript, script);
        fs::create_symlink(outsideScript, root + "/autoexec.lua");
        break;
    case Script::Directory:
        fs::create_directory(root + "/autoexec.lua");
        break;
    }
    const std::string modulePath = root + "/" + c.moduleName;
    c.make(Folder{dir, outside.Path()}, modulePath);
    if (c.script == Script::ReadOnly) {
        fs::permissions(root, fs::perms::owner_read | fs::perms::owner_exec);
        ASSERT_LT(open((root + "/probe").c_str(), O_WRONLY | O_CREAT, 0644), 0)
            << "the folder is still writable";
    }
    if (c.asUser && c.module == Module::Unopenable) {
        ASSERT_LT(open(modulePath.c_str(), O_RDONLY | O_NONBLOCK), 0)
            << "the module file is still readable";
    }

    const auto before = Snapshot(root);
    const wxString path(modulePath.c_str(), *wxConvFileName);
    const wxString name = path.AfterLast('/').BeforeLast('.');
    const bool listed = c.module != Module::NotAModule;

    // Start-up lists the playable mods only.
    dialogs::ExpectDirectory(dir);
    if (c.module == Module::Unopenable)
        ExpectUnopenable("Unable To Open File", path);
    QuorvantFrame* const frame = Run();
    ASSERT_NE(frame, nullptr) << "start-up failed";
    wxArrayString expected;
    expected.Add("Demo (Version 1.0)");
    const wxString hostileEntry = name + " (Version 2.0)";
    if (c.playable)
        expected.Add(hostileEntry);
    expected.Sort([](const wxString& a, const wxString& b) { return a.CmpNoCase(b); });
    EXPECT_EQ(F::ModDisplayNames(*frame), expected);

    // Every reader on the file itself, which is what a required mod's lookup could hand them.
    if (c.module != Module::Readable) {
        ExpectUnopenable("Unable To Open File", path);
        ExpectUnopenable("Unable To Open File", path);
        ExpectUnopenable("Unable to open file.", path);
        ExpectUnopenable("Unable To Open File", path);
        ExpectUnopenable("Unable To Open File", path);
    }
    frame->ReadModVersion(path);
    QuorvantFrame::IsModPlayable(path);
    frame->HasModFolder(path);
    frame->ReadRequiredMods(path);
    F::RequiredModListBox(*frame)->Set(F::RequiredMods(*frame));
    frame->CheckRequiredMods(path);
    EXPECT_TRUE(dialogs::VerifyNoneLeft());

    // Show All Mods, then every row selected, then Refresh.
    if (c.module == Module::Unopenable)
        ExpectUnopenable("Unable To Open File", path);
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    EXPECT_EQ(F::ModDisplayNames(*frame).size(), listed ? 2u : 1u);
    for (size_t row = 0; row < F::ModDisplayNames(*frame).size(); ++row) {
        const bool hostile = F::ModuleFiles(*frame)[row] == path;
        if (hostile && c.module == Module::Unopenable) {
            for (int box = 0; box < 3; ++box)
                ExpectUnopenable("Unable To Open File", path);
        }
        ui::Select(F::ModListBox(*frame), static_cast<int>(row));
        EXPECT_TRUE(dialogs::VerifyNoneLeft()) << F::ModDisplayNames(*frame)[row];
        EXPECT_EQ(ui::StatusText(*frame), !hostile || c.playable
                                              ? "This mod can be played."
                                              : "This mod is marked as non-playable.");
    }
    if (c.module == Module::Unopenable)
        ExpectUnopenable("Unable To Open File", path);
    ui::ChooseMenu(*frame, wxID_REFRESH);
    EXPECT_EQ(ui::StatusText(*frame), "Mod list has been refreshed.");
    if (c.module == Module::Unopenable)
        ExpectUnopenable("Unable To Open File", path);
    ui::ChooseMenu(*frame, ID_SHOW_ALL_MODS);
    EXPECT_EQ(F::ModDisplayNames(*frame), expected);
    EXPECT_TRUE(dialogs::VerifyNoneLeft());

    // The launch passes the names to the game as they are, through no shell.
    const wxString launched = c.playable ? hostileEntry : wxString("Demo (Version 1.0)");
    ui::Select(F::ModListBox(*frame), RowOf(*frame, launched));
    Launch(*frame, launched, "");
    std::vector<std::string> arguments{"-modname"};
    for (const wxString& word : wxSplit(launched, ' ', '\0'))
        arguments.push_back(Narrow(word));
    EXPECT_EQ(WaitForStart(), arguments);

    // All AI on, then off again: what the user asked for, and nothing else.
    ui::Toggle(F::DevCheckBox(*frame));
    ui::Toggle(F::AllAICheckBox(*frame));
    arguments.push_back("-dev");
    const bool canEdit = c.script == Script::Plain || c.script == Script::Symlink;
    Launch(*frame, launched, "\n- Developer Mode\n- All AI Mode", [&c] {
        if (c.script == Script::Directory)
            dialogs::ExpectMessage(
                "Unable To Open File",
                "The autoexec.lua file could not be opened. It may be corrupted.", wxICON_ERROR);
        if (c.script == Script::ReadOnly)
            dialogs::ExpectMessage("Unable To Write To The File",
                                   "Unable to write to the autoexec.lua file.", wxICON_ERROR);
        if (c.script == Script::Directory || c.script == Script::ReadOnly)
            dialogs::ExpectMessage("Unable To Run Mod",
                                   "Unable to run the mod with All AI Mode activated.",
                                   wxICON_ERROR);
    });
    if (canEdit) {
        EXPECT_EQ(WaitForStart(), arguments);
        EXPECT_EQ(ReadAll(root + "/autoexec.lua"), ai + "\n" + script);
    }
    ui::Toggle(F::AllAICheckBox(*frame));
    Launch(*frame, launched, "\n- Developer Mode");
    EXPECT_EQ(WaitForStart(), arguments);

    // The report of the game's log, which this folder does not have.
    dialogs::ExpectMessage("Unable To Open File",
                           "The warnings.log file could not be found/opened.", wxICON_ERROR);
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
    EXPECT_TRUE(dialogs::VerifyNoneLeft());

    auto after = Snapshot(root);
    if (c.script == Script::Symlink) {
        // The link itself was replaced; the file it led to was never written.
        const std::string link = root + "/autoexec.lua";
        EXPECT_EQ(after[link], std::to_string(S_IFREG | 0644) + ":" + script);
        after[link] = before.at(link);
        EXPECT_EQ(ReadAll(outsideScript), script);
    }
    EXPECT_TRUE(after == before) << "the game folder changed";
    EXPECT_TRUE(frame->IsShown());
}

std::vector<HostileCase> Cases()
{
    std::string garbage;
    for (int i = 0; i < 65536; ++i)
        garbage += static_cast<char>((i * 7919 + i / 3) & 0xff);
    const std::string longName(4000, 'n');
    return {
        Case("BinaryGarbage", "Hostile.module", Module::Readable, Bytes(garbage)),
        Case("NulBytes", "Hostile.module", Module::Readable,
             Bytes(std::string("ModVersion = 1\0\0\0\nPlayable = 0\0\nRequiredMod.1 = \0W40k\n",
                               52))),
        Case("InvalidUtf8", "Hostile.module", Module::Readable,
             Bytes("\xef\xbb\xbfModVersion = \xc3\x28\xa0\xa1\nPlayable = 0\xff\nModFolder = "
                   "\xed\xa0\x80\n")),
        Case("OddLengthUtf16", "Hostile.module", Module::Readable,
             Bytes(Utf16("Playable = 0\n") + "P")),
        Case("LoneSurrogatesUtf16", "Hostile.module", Module::Readable,
             Bytes(Utf16("Playable = 0\nModVersion = ") + "\x00\xd8\x41\x00\xff\xdf\n\x00")),
        Case("ByteOrderMarkOnly", "Hostile.module", Module::Readable, Bytes("\xef\xbb\xbf")),
        Case("Utf16MarkOnly", "Hostile.module", Module::Readable, Bytes("\xff\xfe")),
        Case("LongLine", "Hostile.module", Module::Readable,
             Bytes("ModVersion = " + std::string(100000, 'v') + "\nPlayable = 0\n")),
        Case("ManyRequiredMods", "Hostile.module", Module::Readable,
             [](const Folder&, const std::string& p) {
                 std::string text = NonPlayableText();
                 for (int i = 0; i < 10000; ++i)
                     text += "RequiredMod." + std::to_string(i) + " = Missing" + std::to_string(i) +
                             "\n";
                 WriteBytes(p, text);
             }),
        Case("FiftyMegabytes", "Hostile.module", Module::Unopenable,
             [](const Folder&, const std::string& p) {
                 WriteBytes(p, PlayableText() + std::string(50 * 1000 * 1000, ';') + "\n");
             }),
        Case("Fifo", "Hostile.module", Module::NotAModule,
             [](const Folder&, const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); }),
        Case("Device", "Hostile.module", Module::NotAModule,
             [](const Folder&, const std::string& p) { fs::create_symlink("/dev/null", p); }),
        Case("Directory", "Hostile.module", Module::NotAModule,
             [](const Folder&, const std::string& p) { fs::create_directory(p); }),
        Case("DanglingSymlink", "Hostile.module", Module::NotAModule,
             [](const Folder& f, const std::string& p) {
                 fs::create_symlink(Narrow(f.outside) + "/nothing.module", p);
             }),
        Case("SymlinkLoop", "Hostile.module", Module::NotAModule,
             [](const Folder&, const std::string& p) { fs::create_symlink(p, p); }),
        Case(
            "LinkToAFileOutside", "Hostile.module", Module::Readable,
            [](const Folder& f, const std::string& p) {
                const std::string target = Narrow(f.outside) + "/real.module";
                WriteBytes(target, PlayableText());
                fs::create_symlink(target, p);
            },
            Script::Plain, true),
        Case("Quotes", "q\"uo'te.module", Module::Readable, Bytes(PlayableText()), Script::Plain,
             true),
        Case("CommandSubstitution", "$(touch pwned).module", Module::Readable,
             Bytes(PlayableText()), Script::Plain, true),
        Case("Semicolon", "a;touch pwned.module", Module::Readable, Bytes(PlayableText()),
             Script::Plain, true),
        Case("Backticks", "`touch pwned`.module", Module::Readable, Bytes(PlayableText()),
             Script::Plain, true),
        Case("Newline", "new\nline.module", Module::Readable, Bytes(PlayableText()), Script::Plain,
             true),
        Case("LeadingDash", "-dev.module", Module::Readable, Bytes(PlayableText()), Script::Plain,
             true),
        Case("LongNamesInside", "Hostile.module", Module::Readable,
             Bytes("ModVersion = " + longName + "\nPlayable = 0\nModFolder = " + longName +
                   "\nRequiredMod.1 = " + longName + "\n;; Version = " + longName +
                   "\nRequiredMod.2 = " + longName + "\n")),
        Case("NonUtf8Name", "caf\xe9.module", Module::Readable, Bytes(NonPlayableText())),
        Case("ScriptIsADirectory", "Hostile.module", Module::Readable, Bytes(PlayableText()),
             Script::Directory, true),
        Case("ScriptIsASymlink", "Hostile.module", Module::Readable, Bytes(PlayableText()),
             Script::Symlink, true),
        Case("HostileGameFolder", "Hostile.module", Module::Readable, Bytes(PlayableText()),
             Script::Plain, true, false, "-g $(touch pwned); `id` 'q\" x"),
        Case("LongGameFolder", "Hostile.module", Module::Readable, Bytes(PlayableText()),
             Script::Plain, true, false,
             Repeat(std::string(200, 'd') + "/", 18) + std::string(200, 'e')),
        Case(
            "UnreadableModule", "Hostile.module", Module::Unopenable,
            [](const Folder&, const std::string& p) {
                WriteBytes(p, PlayableText());
                fs::permissions(p, fs::perms::none);
            },
            Script::Plain, false, true),
        Case("ReadOnlyFolder", "Hostile.module", Module::Readable, Bytes(PlayableText()),
             Script::ReadOnly, true, true),
    };
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileFolderTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                             return std::string(info.param.asUser ? "AsUser_" : "") +
                                    info.param.label;
                         });

} // namespace
