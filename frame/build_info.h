// The text that names the toolkit the program was built with.
#pragma once

#include <wx/string.h>

enum BuildInfoFormat
{
    BuildInfoShort,
    BuildInfoLong
};

wxString GetBuildInfo(BuildInfoFormat format);
