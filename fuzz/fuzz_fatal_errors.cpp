// Fuzzes the fatal data error report of warnings.log against decoding the whole log.
#include "troubleshooting/fatal_errors.h"

#include <wx/convauto.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The slow path the fast one must equal: every line of the decoded text, split as wxTextFile does.
FatalErrorReport Reference(const std::string& bytes)
{
    FatalErrorReport report;
    const wxString text(bytes.data(), wxConvAuto(), bytes.size());
    size_t begin = 0;
    for (size_t at = 0; at < text.length(); ++at) {
        const wxUniChar c = text[at];
        if (c != '\r' && c != '\n')
            continue;
        report.AddLine(text.substr(begin, at - begin));
        if (c == '\r' && at + 1 < text.length() && text[at + 1] == '\n')
            ++at;
        begin = at + 1;
    }
    if (begin < text.length())
        report.AddLine(text.substr(begin));
    return report;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FatalErrorReport fast;
    CollectFatalErrors(bytes, fast);
    const FatalErrorReport slow = Reference(bytes);
    if (fast.GetCount() != slow.GetCount() || fast.GetText() != slow.GetText())
        std::abort();
    return 0;
}
