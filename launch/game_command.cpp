// Building the game's arguments, checking that they can be started, and the launch question.
#include "launch/game_command.h"

#include <wx/tokenzr.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsExecutableFile(const wxString& path)
{
    const wxCharBuffer name = path.fn_str();
    if (!name.data() || !*name.data())
        return false;
    struct stat info;
    return stat(name.data(), &info) == 0 && S_ISREG(info.st_mode) && access(name.data(), X_OK) == 0;
}

} // namespace

wxArrayString SplitAtBlanks(const wxString& entry)
{
    wxArrayString words;
    for (const wxString& word : wxSplit(entry, ' ', '\0')) {
        if (!word.empty())
            words.Add(word);
    }
    return words;
}

wxArrayString BuildGameArguments(const wxString& gameDirectory, const wxString& executable,
                                 const wxString& entry, const LaunchOptions& options)
{
    wxArrayString arguments;
    arguments.Add(gameDirectory.EndsWith("/") ? gameDirectory + executable
                                              : gameDirectory + "/" + executable);
    arguments.Add("-modname");
    for (const wxString& word : SplitAtBlanks(entry))
        arguments.Add(word);
    if (options.devMode)
        arguments.Add("-dev");
    if (options.noMovies)
        arguments.Add("-nomovies");
    if (options.forceHighPoly)
        arguments.Add("-forcehighpoly");
    return arguments;
}

bool IsWindowsExecutable(const wxString& path)
{
    const wxCharBuffer name = path.fn_str();
    if (!name.data() || !*name.data())
        return false;
    const int fd = open(name.data(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat info;
    bool windows = false;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char mark[2] = {};
        ssize_t got = 0;
        do {
            got = pread(fd, mark, sizeof mark, 0);
        } while (got < 0 && errno == EINTR);
        windows = got == 2 && mark[0] == 'M' && mark[1] == 'Z';
    }
    close(fd);
    return windows;
}

wxString FindExecutableOnPath(const wxString& name, const wxString& searchPath)
{
    // An empty entry would mean the current folder, which is not where anyone installs wine.
    for (const wxString& folder : wxSplit(searchPath, ':', '\0')) {
        if (folder.empty())
            continue;
        const wxString candidate = folder.EndsWith("/") ? folder + name : folder + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return wxString();
}

GameStart PrepareGameStart(const wxArrayString& gameArguments, const wxString& searchPath)
{
    GameStart start;
    if (gameArguments.empty())
        return start;
    const wxString& program = gameArguments[0];
    const wxCharBuffer name = program.fn_str();
    struct stat info;
    if (!name.data() || !*name.data() || stat(name.data(), &info) != 0) {
        start.problem = StartFailureMessage(program, "it does not exist");
    } else if (!S_ISREG(info.st_mode)) {
        start.problem = StartFailureMessage(program, "it is not a file");
    } else if (IsWindowsExecutable(program)) {
        const wxString wine = FindExecutableOnPath("wine", searchPath);
        if (wine.empty()) {
            start.problem = StartFailureMessage(
                program, "it is a Windows program and Wine, which is needed to run it, "
                         "was not found on the PATH");
        } else {
            start.command.Add(wine);
        }
    } else if (access(name.data(), X_OK) != 0) {
        start.problem = StartFailureMessage(program, "it is not executable");
    }
    if (start.problem.empty()) {
        for (const wxString& argument : gameArguments)
            start.command.Add(argument);
    }
    return start;
}

wxString StartFailureMessage(const wxString& program, const wxString& reason)
{
    const wxString head = "The game program " + program + " could not be started";
    return reason.empty() ? head + "." : head + " because " + reason + ".";
}

wxString BuildLaunchQuestion(const wxString& entry, const LaunchOptions& options)
{
    wxString head = "Start the " + entry + " mod";
    wxString tail;
    if (options.devMode || options.noMovies || options.forceHighPoly || options.allAIMode) {
        head += " with the following options";
        tail += "\n";
        if (options.devMode)
            tail += "\n- Developer Mode";
        if (options.noMovies)
            tail += "\n- No Intro Movies";
        if (options.forceHighPoly)
            tail += "\n- High Poly Models At Any Distance";
        if (options.allAIMode)
            tail += "\n- All AI Mode";
    }
    return head + "?" + tail;
}
