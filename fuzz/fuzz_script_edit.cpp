// Fuzzes the All AI test and both edits of autoexec.lua on arbitrary bytes.
#include "launch/script_edit.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const bool had = HasAllAILine(bytes);

    const std::string added = AddAllAILine(bytes);
    if (!HasAllAILine(added))
        std::abort();
    // Removal either takes every line out or, where that would change how the rest of the bytes
    // are read, leaves them untouched.
    const std::string removed = RemoveAllAILines(added);
    if (HasAllAILine(removed) && removed != added)
        std::abort();
    // Without a line of its own the user's bytes come back untouched.
    if (!had && removed != bytes)
        std::abort();

    const std::string cleaned = RemoveAllAILines(bytes);
    if (!had && cleaned != bytes)
        std::abort();
    if (HasAllAILine(cleaned)) {
        if (cleaned != bytes)
            std::abort();
    } else if (RemoveAllAILines(AddAllAILine(cleaned)) != cleaned) {
        std::abort();
    }
    return 0;
}
