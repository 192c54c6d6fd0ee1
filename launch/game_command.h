// The game's command line as an argument vector, the check that it can start, and the question.
#pragma once

#include <wx/string.h>
#include <wx/arrstr.h>

// The options chosen for a launch, in the order of their switches and question lines.
struct LaunchOptions
{
    bool devMode = false;
    bool noMovies = false;
    bool forceHighPoly = false;
    bool allAIMode = false; // a line in autoexec.lua, not a switch
};

// The arguments the game sees on Windows for "<program> -modname <entry><switches>": the program
// as one argument, then "-modname", the entry's words and the chosen switches.
wxArrayString BuildGameArguments(const wxString& gameDirectory, const wxString& executable,
                                 const wxString& entry, const LaunchOptions& options);

// The entry split at blanks the way the game's command line parser splits it: runs of blanks
// separate words and leading or trailing blanks give none. Nothing else is special.
wxArrayString SplitAtBlanks(const wxString& entry);

// Whether the file begins with "MZ", the mark of a Windows executable, so that Wine must run it.
bool IsWindowsExecutable(const wxString& path);

// The first executable regular file called `name` in the folders of `searchPath` (a PATH value);
// empty when there is none. Empty entries are skipped.
wxString FindExecutableOnPath(const wxString& name, const wxString& searchPath);

// What to hand to wxExecute, or why the game cannot be started.
struct GameStart
{
    wxArrayString command; // the game's arguments, after wine's path for a Windows executable
    wxString problem;      // when not empty, one sentence saying why nothing can be started
};

// Checks before the start what an asynchronous start would not report: a missing, non-regular or
// non-executable program, or a Windows program without wine on `searchPath`.
GameStart PrepareGameStart(const wxArrayString& gameArguments, const wxString& searchPath);

// The sentence saying that `program` could not be started, and why when `reason` is given.
wxString StartFailureMessage(const wxString& program, const wxString& reason = wxString());

// The text of the "Start Mod?" box.
wxString BuildLaunchQuestion(const wxString& entry, const LaunchOptions& options);
