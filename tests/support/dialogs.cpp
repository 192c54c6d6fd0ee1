// The modal dialog hook that answers the dialogs a test expects and fails on any other.
#include "support/dialogs.h"

#include <wx/app.h>
#include <wx/choicdlg.h>
#include <wx/dirdlg.h>
#include <wx/listbox.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <deque>
#include <functional>

namespace dialogs {
namespace {

enum class Kind
{
    Message,
    Directory,
    Choice
};

struct Expected
{
    explicit Expected(Kind k) : kind(k) {}

    Kind kind;
    wxString title;
    wxString message;
    long style = 0;
    int answer = wxID_OK;
    wxString path;
    wxArrayString choices;
    int preselected = 0;
    std::function<void()> afterPick;
};

// Runs after the dialog that is being answered has closed.
std::function<void()> afterClose;

std::deque<Expected> expected;

wxString Describe(const Expected& e)
{
    switch (e.kind) {
    case Kind::Message:
        return wxString::Format("message box \"%s\": \"%s\"", e.title, e.message);
    case Kind::Directory:
        return e.path.empty() ? wxString("directory chooser, cancelled")
                              : "directory chooser picking " + e.path;
    case Kind::Choice:
        return "choice dialog \"" + e.title + "\"";
    }
    return wxString();
}

wxString Describe(wxDialog* dialog)
{
    wxString text =
        wxString(dialog->GetClassInfo()->GetClassName()) + " \"" + dialog->GetTitle() + "\"";
    if (auto* const box = dynamic_cast<wxMessageDialogBase*>(dialog))
        text += ": \"" + box->GetMessage() + "\"";
    return text;
}

// wxMessageBox adds an icon to a style that names none, and the dialog an OK button to a style
// that names no button.
long EffectiveStyle(long style)
{
    if (!(style & wxICON_NONE) && !(style & wxICON_MASK))
        style |= (style & wxYES) ? wxICON_QUESTION : wxICON_INFORMATION;
    if (!(style & (wxOK | wxYES_NO | wxCANCEL)))
        style |= wxOK;
    return style;
}

// Runs `step` from the dialog's modal loop until it reports that it is done, failing after a
// few seconds so that a dialog that never reaches the wanted state cannot hang the test.
void RunInModalLoop(wxDialog* dialog, std::function<bool()> step,
                    std::chrono::steady_clock::time_point deadline)
{
    wxTheApp->CallAfter([dialog, step, deadline] {
        if (step())
            return;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the dialog did not reach the expected state in time";
            dialog->EndModal(wxID_CANCEL);
            return;
        }
        RunInModalLoop(dialog, step, deadline);
    });
}

std::chrono::steady_clock::time_point SoonDeadline()
{
    return std::chrono::steady_clock::now() + std::chrono::seconds(10);
}

int AnswerDirectory(wxDirDialog* dialog, const Expected& e)
{
    if (e.path.empty())
        return wxID_CANCEL;
    GtkFileChooser* const chooser = GTK_FILE_CHOOSER(dialog->GetHandle());
    const wxString path = e.path;
    gtk_file_chooser_set_current_folder(chooser, path.utf8_str());
    RunInModalLoop(
        dialog,
        [dialog, chooser, path] {
            if (!gtk_widget_get_mapped(GTK_WIDGET(chooser)))
                return false;
            gchar* const current = gtk_file_chooser_get_current_folder(chooser);
            const bool there = current && wxString::FromUTF8(current) == path;
            g_free(current);
            if (there)
                gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
            return there;
        },
        SoonDeadline());
    return wxID_NONE;
}

// The message of a choice dialog is shown as one static text per line.
wxString ChoiceMessage(wxDialog* dialog)
{
    wxString message;
    for (wxWindow* const child : dialog->GetChildren()) {
        if (auto* const text = dynamic_cast<wxStaticText*>(child)) {
            if (!message.empty())
                message += "\n";
            message += text->GetLabel();
        }
    }
    return message;
}

wxListBox* ChoiceList(wxDialog* dialog)
{
    for (wxWindow* const child : dialog->GetChildren()) {
        if (auto* const list = dynamic_cast<wxListBox*>(child))
            return list;
    }
    return nullptr;
}

int AnswerChoice(wxSingleChoiceDialog* dialog, const Expected& e)
{
    wxListBox* const list = ChoiceList(dialog);
    if (!list) {
        ADD_FAILURE() << "the choice dialog has no list";
        return wxID_CANCEL;
    }
    EXPECT_EQ(dialog->GetTitle(), e.title);
    EXPECT_EQ(ChoiceMessage(dialog), e.message);
    EXPECT_EQ(list->GetStrings(), e.choices);
    EXPECT_EQ(list->GetSelection(), e.preselected);

    const int answer = e.answer;
    RunInModalLoop(
        dialog,
        [dialog, list, answer] {
            if (!dialog->IsShown())
                return false;
            wxCommandEvent press(wxEVT_BUTTON, answer == wxNOT_FOUND ? wxID_CANCEL : wxID_OK);
            press.SetEventObject(dialog);
            if (answer != wxNOT_FOUND)
                list->SetSelection(answer);
            dialog->GetEventHandler()->ProcessEvent(press);
            return true;
        },
        SoonDeadline());
    return wxID_NONE;
}

class Hook : public wxModalDialogHook
{
protected:
    int Enter(wxDialog* dialog) override
    {
        if (expected.empty()) {
            ADD_FAILURE() << "unexpected " << Describe(dialog);
            return wxID_CANCEL;
        }
        const Expected e = expected.front();
        expected.pop_front();

        switch (e.kind) {
        case Kind::Message:
            if (auto* const box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
                EXPECT_EQ(box->GetTitle(), e.title);
                EXPECT_EQ(box->GetMessage(), e.message);
                EXPECT_EQ(box->GetExtendedMessage(), wxString());
                EXPECT_EQ(box->GetMessageDialogStyle(), EffectiveStyle(e.style))
                    << "style of \"" << e.title << "\"";
                return e.answer;
            }
            break;
        case Kind::Directory:
            if (auto* const chooser = dynamic_cast<wxDirDialog*>(dialog)) {
                afterClose = e.afterPick;
                return AnswerDirectory(chooser, e);
            }
            break;
        case Kind::Choice:
            if (auto* const choice = dynamic_cast<wxSingleChoiceDialog*>(dialog))
                return AnswerChoice(choice, e);
            break;
        }
        ADD_FAILURE() << "expected " << Describe(e) << ", got " << Describe(dialog);
        return wxID_CANCEL;
    }

    void Exit(wxDialog*) override
    {
        if (afterClose) {
            const auto action = std::move(afterClose);
            afterClose = nullptr;
            action();
        }
    }
};

} // namespace

void ExpectMessage(const wxString& title, const wxString& message, long style, int answer)
{
    Expected e(Kind::Message);
    e.title = title;
    e.message = message;
    e.style = style;
    e.answer = answer;
    expected.push_back(e);
}

void ExpectDirectory(const wxString& path, std::function<void()> afterPick)
{
    Expected e(Kind::Directory);
    e.path = path;
    e.afterPick = std::move(afterPick);
    expected.push_front(e);
}

void ExpectDirectoryCancel()
{
    expected.push_front(Expected(Kind::Directory));
}

void ExpectChoice(const wxString& caption, const wxString& message, const wxArrayString& choices,
                  int preselected, int answer)
{
    Expected e(Kind::Choice);
    e.title = caption;
    e.message = message;
    e.choices = choices;
    e.preselected = preselected;
    e.answer = answer;
    expected.push_back(e);
}

bool VerifyNoneLeft()
{
    if (expected.empty())
        return true;
    ADD_FAILURE() << "expected " << Describe(expected.front()) << " was never shown ("
                  << expected.size() << " left)";
    expected.clear();
    return false;
}

void Install()
{
    static Hook hook;
    hook.Register();
}

} // namespace dialogs
