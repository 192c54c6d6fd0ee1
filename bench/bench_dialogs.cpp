// A modal hook in the manner of the test suite's, which answers without judging.
#include "bench/bench_dialogs.h"

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <gtk/gtk.h>

#include <cstdio>
#include <utility>

namespace bench_dialogs {
namespace {

wxString directory;
std::vector<wxString> titles;

// The GTK chooser takes its answer only once mapped and showing the folder, so the answer is
// given from its modal loop, retried until then.
void AcceptWhenShown(GtkFileChooser* chooser, const wxString& path)
{
    wxTheApp->CallAfter([chooser, path] {
        if (gtk_widget_get_mapped(GTK_WIDGET(chooser))) {
            gchar* const current = gtk_file_chooser_get_current_folder(chooser);
            const bool there = current && wxString::FromUTF8(current) == path;
            g_free(current);
            if (there) {
                gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
                return;
            }
        }
        AcceptWhenShown(chooser, path);
    });
}

class Hook : public wxModalDialogHook
{
protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* const chooser = dynamic_cast<wxDirDialog*>(dialog)) {
            GtkFileChooser* const gtkChooser = GTK_FILE_CHOOSER(chooser->GetHandle());
            gtk_file_chooser_set_current_folder(gtkChooser, directory.utf8_str());
            AcceptWhenShown(gtkChooser, directory);
            return wxID_NONE;
        }
        if (auto* const box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
            titles.push_back(box->GetTitle());
            return (box->GetMessageDialogStyle() & wxYES_NO) ? wxID_YES : wxID_OK;
        }
        std::fprintf(stderr, "unexpected dialog \"%s\", cancelled\n",
                     static_cast<const char*>(dialog->GetTitle().utf8_str()));
        return wxID_CANCEL;
    }

    void Exit(wxDialog*) override {}
};

} // namespace

void SetDirectory(const wxString& folder)
{
    directory = folder;
}

std::vector<wxString> TakeTitles()
{
    return std::exchange(titles, {});
}

void Install()
{
    static Hook hook;
    hook.Register();
}

} // namespace bench_dialogs
