// Start-up: the main window is created, decorated and shown.
#include "app/quorvant_app.h"

#include "frame/quorvant_frame.h"
#include "resources/mod_manager_icon.h"

#include <wx/intl.h>

bool QuorvantApp::OnInit()
{
    // The base class's OnInit is not called: the program takes no command-line arguments.
    auto* const frame = new QuorvantFrame(nullptr, wxGetTranslation("Quorvant"));

    // A frame whose start-up chain failed has already destroyed itself; showing it would flash
    // an empty window. It is deleted at the first idle time and the program then ends normally.
    if (IsScheduledForDestruction(frame))
        return true;

    frame->SetIcons(ModManagerIcon());
    frame->Show(true);
    return true;
}
