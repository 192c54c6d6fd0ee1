// The application icon, assembled from the PNG files embedded at build time.
#include "resources/mod_manager_icon.h"

#include "resources/mod_manager_icon_data.h"

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/mstream.h>

wxIconBundle ModManagerIcon()
{
    // A handler of our own rather than the global list: the icon then loads whether or not
    // anybody called wxInitAllImageHandlers, and registers nothing behind the program's back.
    wxPNGHandler handler;
    wxIconBundle bundle;
    for (std::size_t i = 0; i < kModManagerIconPngCount; ++i) {
        const EmbeddedPng& png = kModManagerIconPngs[i];
        wxMemoryInputStream stream(png.data, png.length);
        wxImage image;
        if (!handler.LoadFile(&image, stream, false)) {
            continue;
        }
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image));
        bundle.AddIcon(icon);
    }
    return bundle;
}
