// The application object: it only creates the main window at start-up.
#pragma once

#include <wx/app.h>

class QuorvantApp : public wxApp
{
public:
    bool OnInit() override;
};
