// The about box and the build text it shows.
#include "frame/quorvant_frame.h"
#include "frame/build_info.h"

#include <wx/aboutdlg.h>
#include <wx/version.h>

wxString GetBuildInfo(BuildInfoFormat format)
{
    wxString info = wxVERSION_STRING;
    if (format == BuildInfoLong)
        info << "-Linux"
             << "-Unicode build";
    return info;
}

void QuorvantFrame::OnAbout(wxCommandEvent&)
{
    wxAboutDialogInfo info;
    info.SetName("Quorvant");
    info.SetVersion("1.2. Built with " + GetBuildInfo(BuildInfoLong) + ".", wxString());
    info.SetDescription(
        "A mod manager for all the Dawn of War 1 games.\n"
        "Written by the Quorvant developers for the players who build and play mods.\n"
        "The icon is original artwork made for Quorvant by its developers.");
    info.SetCopyright("Copyright (C) 2026 The Quorvant developers");
    info.AddDeveloper("The Quorvant developers");
    wxAboutBox(info, nullptr);
}
