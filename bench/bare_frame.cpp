// The start-up floor: a bare wxWidgets program that asks for a folder with the program's own
// directory chooser and then shows one empty frame with the program's title.
#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/frame.h>

class BareApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxDirDialog dialog(nullptr,
                           "Select executable directory of Dawn of War/Winter Assault/Dark "
                           "Crusade/Soulstorm",
                           wxString(), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
        if (dialog.ShowModal() == wxID_CANCEL)
            return false;
        (new wxFrame(nullptr, wxID_ANY, "Quorvant"))->Show(true);
        return true;
    }
};

wxIMPLEMENT_APP(BareApp);
