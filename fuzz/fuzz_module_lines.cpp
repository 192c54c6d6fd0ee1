// Fuzzes the decoding and line split of a module file and the key lookups of its readers.
#include "mods/module_file.h"

#include <wx/convauto.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The keys the readers look for, with the version comments of the required-mods check.
constexpr const char* keys[] = {"ModVersion = ", "Playable = ",   "ModFolder = ", "RequiredMod.",
                                ";; Version = ", "// Version = ", "-- Version = "};

// The lines of the decoded text in the plainest loop: CR LF, LF and a lone CR end a line.
std::vector<wxString> ReferenceLines(const wxString& text)
{
    std::vector<wxString> lines;
    wxString line;
    for (size_t at = 0; at < text.length(); ++at) {
        const wxUniChar c = text[at];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && at + 1 < text.length() && text[at + 1] == '\n')
                ++at;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    module_file::Lines file;
    if (!file.Parse(bytes))
        std::abort();
    const std::vector<wxString> expected =
        ReferenceLines(wxString(bytes.data(), wxConvAuto(), bytes.size()));
    if (file.GetCount() != expected.size())
        std::abort();
    for (size_t i = 0; i < file.GetCount(); ++i) {
        if (file.GetLine(i) != expected[i])
            std::abort();
        for (const char* const key : keys) {
            wxString rest;
            const bool found = file.StartsWith(i, key, &rest);
            const wxString keyText(key);
            if (found != expected[i].StartsWith(keyText) ||
                (found && keyText + rest != expected[i]))
                std::abort();
        }
    }
    return 0;
}
