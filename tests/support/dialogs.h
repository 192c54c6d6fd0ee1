// Scripted answers for the modal dialogs a test causes, checked in order.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <functional>

// Every modal dialog shown during a test must have been announced here, in the order it comes.
// A message box is answered without being shown; the directory chooser and the choice dialog are
// shown and answered from inside their own modal loop, where the toolkit reads their result.
// An unexpected dialog fails the test and is cancelled; expectations left over fail it as well.
namespace dialogs {

// `style` is the style the code passes to wxMessageBox; `answer` is what ShowModal returns.
void ExpectMessage(const wxString& title, const wxString& message, long style,
                   int answer = wxID_OK);
// The directory chooser is the first dialog of every run, so it goes ahead of the others.
// `afterPick` runs once the chooser has closed, before the program looks at the folder.
void ExpectDirectory(const wxString& path, std::function<void()> afterPick = {});
void ExpectDirectoryCancel();
// The choice dialog with its caption, message and the offered choices, the preselected row and
// the row to answer with (wxNOT_FOUND: cancel).
void ExpectChoice(const wxString& caption, const wxString& message, const wxArrayString& choices,
                  int preselected, int answer);

// Fails the running test when an expected dialog was never shown, and forgets the rest.
bool VerifyNoneLeft();

// Installs the hook; called once by the test program's main.
void Install();

} // namespace dialogs
