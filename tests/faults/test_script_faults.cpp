// Faults injected while autoexec.lua is replaced: a full disk, a folder turned read-only, a kill.
#include "launch/script_edit.h"

#include "game/game_file.h"
#include "support/permission_checks.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string scriptName = "autoexec.lua";
const std::string temporaryPrefix = ".autoexec.lua.";

// `line` repeated up to exactly `size` bytes, so that any part of it shows where it came from.
std::string Pattern(const std::string& line, std::size_t size)
{
    std::string bytes;
    while (bytes.size() < size)
        bytes += line;
    bytes.resize(size);
    return bytes;
}

std::string Native(const wxString& path)
{
    return std::string(path.fn_str());
}

std::string Script(const wxString& path)
{
    std::string bytes;
    if (ReadFileBytes(path, bytes) != FileReadResult::Read)
        return "<unreadable>";
    return bytes;
}

// Every name in the folder, sorted.
std::vector<std::string> Entries(const wxString& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(Native(folder)))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool StartsWith(const std::string& bytes, const std::string& prefix)
{
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

// Exit statuses of a child that replaces the script under a file size limit.
constexpr int replaced = 1;
constexpr int refusedAsTooLarge = 0;
constexpr int refusedOtherwise = 2;
constexpr int noLimit = 3;

int ReplaceUnderSizeLimit(const wxString& path, const std::string& bytes, rlim_t limit)
{
    const pid_t child = fork();
    if (child == 0) {
        // Without the signal ignored, the first write past the limit would kill the child.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0)
            _exit(noLimit);
        errno = 0;
        const bool done = ReplaceFileAtomically(path, bytes);
        _exit(done ? replaced : errno == EFBIG ? refusedAsTooLarge : refusedOtherwise);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(ScriptFaults, AWriteBeyondTheFileSizeLimitKeepsTheOldScriptAndLeavesNothing)
{
    const std::string old = Pattern("-- the script before\n", 200);
    struct Case
    {
        const char* what;
        std::string bytes;
        int status;
    };
    const Case cases[] = {
        {"a script that fits", AddAllAILine(old), replaced},
        {"a 1 MB script", Pattern("-- a script far too large\n", 1024 * 1024), refusedAsTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder folder("file-size-limit");
        const wxString script = folder.Write(scriptName, old);
        EXPECT_EQ(ReplaceUnderSizeLimit(script, c.bytes, 4096), c.status);
        EXPECT_EQ(Script(script), c.status == replaced ? c.bytes : old);
        EXPECT_EQ(Entries(folder.Path()), std::vector<std::string>{scriptName});
    }
}

// Fills what is left of the file system holding `path`; false when something else went wrong.
bool FillUp(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const std::string block(4096, 'x');
    ssize_t written = 0;
    do
        written = write(fd, block.data(), block.size());
    while (written > 0);
    const bool full = errno == ENOSPC;
    close(fd);
    return full;
}

class Mount
{
public:
    explicit Mount(const std::string& path) : m_path(path)
    {
        m_mounted =
            mount("tmpfs", path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0755") == 0;
        m_error = errno;
    }
    ~Mount()
    {
        if (m_mounted)
            umount2(m_path.c_str(), MNT_DETACH);
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    bool IsMounted() const { return m_mounted; }
    int Error() const { return m_error; }

private:
    std::string m_path;
    bool m_mounted = false;
    int m_error = 0;
};

TEST(ScriptFaults, AFullTmpfsKeepsTheOldScriptAndLeavesNothing)
{
    const TempFolder folder("full-disk");
    const wxString disk = folder.MakeDirectory("disk");
    const Mount mounted(Native(disk));
    if (!mounted.IsMounted()) {
        std::printf("[   NOTE   ] a 64 KB tmpfs cannot be mounted here (%s); the file size limit "
                    "case stands in for a full disk\n",
                    std::strerror(mounted.Error()));
        GTEST_SKIP() << "mount refused: " << std::strerror(mounted.Error());
    }
    const std::string old = Pattern("-- the script before\n", 300);
    const wxString script = folder.Write("disk/" + scriptName, old);

    EXPECT_FALSE(ReplaceFileAtomically(script, Pattern("-- a script too large\n", 1024 * 1024)));
    EXPECT_EQ(Script(script), old);
    EXPECT_EQ(Entries(disk), std::vector<std::string>{scriptName});

    // Not one block left: even an edit of a few bytes cannot be written.
    const std::string filler = Native(disk) + "/filler";
    ASSERT_TRUE(FillUp(filler)) << std::strerror(errno);
    const std::string edited = AddAllAILine(old);
    EXPECT_FALSE(ReplaceFileAtomically(script, edited));
    EXPECT_EQ(Script(script), old);
    EXPECT_EQ(Entries(disk), (std::vector<std::string>{scriptName, "filler"}));

    unlink(filler.c_str());
    EXPECT_TRUE(ReplaceFileAtomically(script, edited));
    EXPECT_EQ(Script(script), edited);
    EXPECT_EQ(Entries(disk), std::vector<std::string>{scriptName});
}

TEST(ScriptFaults, AFolderTurnedReadOnlyRefusesBothEditsAndKeepsTheOldScript)
{
    const std::string plain = Pattern("-- the script before\n", 300);
    struct Case
    {
        const char* what;
        std::string old;
        std::string edited;
    };
    const Case cases[] = {
        {"adding the All AI line", plain, AddAllAILine(plain)},
        {"removing the All AI line", AddAllAILine(plain), plain},
    };
    const PermissionChecks checks;
    if (!checks.IsActive())
        GTEST_SKIP() << "the right to override permissions cannot be dropped";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder folder("read-only");
        const wxString script = folder.Write(scriptName, c.old);
        ASSERT_EQ(chmod(folder.Path().fn_str(), 0555), 0);
        EXPECT_FALSE(ReplaceFileAtomically(script, c.edited));
        EXPECT_EQ(Script(script), c.old);
        EXPECT_EQ(Entries(folder.Path()), std::vector<std::string>{scriptName});

        ASSERT_EQ(chmod(folder.Path().fn_str(), 0755), 0);
        EXPECT_TRUE(ReplaceFileAtomically(script, c.edited));
        EXPECT_EQ(Script(script), c.edited);
    }
}

TEST(ScriptFaults, AnEditKilledAtAnyMomentLeavesTheOldOrTheNewScript)
{
    const TempFolder folder("killed");
    const std::string small = Pattern("-- A: the small script\n", 300);
    const std::string large = Pattern("-- B: the large script, line after line\n", 256 * 1024);
    const wxString script = folder.Write(scriptName, small);

    const unsigned int seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int rounds = 0;
    int endedSmall = 0;
    int endedLarge = 0;
    int leftovers = 0;
    for (; rounds < 200 && std::chrono::steady_clock::now() < deadline; ++rounds) {
        const bool startLarge = Script(script) == small;
        const pid_t child = fork();
        ASSERT_GE(child, 0) << std::strerror(errno);
        if (child == 0) {
            for (bool nextLarge = startLarge;; nextLarge = !nextLarge)
                static_cast<void>(ReplaceFileAtomically(script, nextLarge ? large : small));
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const std::string now = Script(script);
        if (now == small) {
            ++endedSmall;
        } else if (now == large) {
            ++endedLarge;
        } else {
            ADD_FAILURE() << "after round " << rounds << " (seed " << seed << ") the script holds "
                          << now.size() << " bytes that are neither A nor B";
            break;
        }
        // A killed edit may leave its temporary file, though only ever a part of A or B.
        for (const std::string& name : Entries(folder.Path())) {
            if (name == scriptName)
                continue;
            EXPECT_TRUE(StartsWith(name, temporaryPrefix) &&
                        name.size() == temporaryPrefix.size() + 6)
                << name;
            std::string part;
            EXPECT_EQ(ReadFileBytes(folder.PathOf(name), part), FileReadResult::Read);
            EXPECT_TRUE(StartsWith(small, part) || StartsWith(large, part)) << name;
            ++leftovers;
            folder.Remove(name);
        }
    }
    std::printf("[   NOTE   ] %d edits killed (seed %u): %d left A, %d left B, %d left a "
                "temporary file behind\n",
                rounds, seed, endedSmall, endedLarge, leftovers);
    EXPECT_GT(rounds, 0);
}

} // namespace
