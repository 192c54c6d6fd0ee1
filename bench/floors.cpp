// The floors, written as directly as the system allows.
#include "bench/floors.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace floors {
namespace {

bool StartsWith(const std::string& bytes, std::size_t at, const char* key, std::size_t length)
{
    return bytes.compare(at, length, key) == 0;
}

// Calls `line(begin, end)` for every line until it returns true.
template <typename Visit> void ForEachLine(const std::string& bytes, Visit line)
{
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = bytes.size();
        if (line(begin, end))
            return;
        begin = end + 1;
        if (begin < bytes.size() && bytes[end] == '\r' && bytes[begin] == '\n')
            ++begin;
    }
}

std::string Join(const std::string& folder, const std::string& name)
{
    return folder + "/" + name;
}

} // namespace

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* const dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* const entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    return names;
}

std::string ReadFile(const std::string& path)
{
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    close(fd);
    return bytes;
}

bool FirstValue(const std::string& bytes, const char* key, std::string& value)
{
    const std::size_t length = std::strlen(key);
    bool found = false;
    ForEachLine(bytes, [&](std::size_t begin, std::size_t end) {
        if (end - begin < length || !StartsWith(bytes, begin, key, length))
            return false;
        value.assign(bytes, begin + length, end - begin - length);
        found = true;
        return true;
    });
    return found;
}

std::size_t BuildModList(const std::string& folder, bool showAll)
{
    std::vector<std::string> rows;
    for (const std::string& name : ListFolder(folder)) {
        if (name.size() <= 7 || strcasecmp(name.c_str() + name.size() - 7, ".module") != 0)
            continue;
        const std::string path = Join(folder, name);
        std::string value;
        if (!showAll && !(FirstValue(ReadFile(path), "Playable = ", value) && value == "1"))
            continue;
        std::string version;
        FirstValue(ReadFile(path), "ModVersion = ", version);
        rows.push_back(name.substr(0, name.size() - 7) + " (Version " + version + ")");
    }
    return rows.size();
}

std::size_t SelectMod(const std::string& folder, const std::string& moduleFile)
{
    const std::vector<std::string> names = ListFolder(folder);
    const std::string path = Join(folder, moduleFile);

    std::vector<std::string> entries;
    const std::string entryBytes = ReadFile(path);
    ForEachLine(entryBytes, [&](std::size_t begin, std::size_t end) {
        if (StartsWith(entryBytes, begin, "RequiredMod.", 12))
            entries.emplace_back(entryBytes, begin, end - begin);
        return false;
    });

    // The states read the file again for the version comment above each entry.
    std::vector<std::string> required;
    const std::string stateBytes = ReadFile(path);
    std::string above;
    ForEachLine(stateBytes, [&](std::size_t begin, std::size_t end) {
        if (StartsWith(stateBytes, begin, "RequiredMod.", 12)) {
            required.push_back(above.compare(0, 13, ";; Version = ") == 0 ? above.substr(13)
                                                                          : std::string());
        }
        above.assign(stateBytes, begin, end - begin);
        return false;
    });

    std::size_t installed = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name = entries[i].substr(entries[i].rfind(' ') + 1);
        const std::string requiredPath = Join(folder, name + ".module");
        std::string modFolder;
        std::string version;
        FirstValue(ReadFile(requiredPath), "ModFolder = ", modFolder);
        FirstValue(ReadFile(requiredPath), "ModVersion = ", version);
        if (!modFolder.empty() && (i >= required.size() || required[i] == version))
            ++installed;
    }

    std::string playable;
    FirstValue(ReadFile(path), "Playable = ", playable);
    return names.empty() || playable != "1" ? 0 : installed;
}

} // namespace floors
