// The floors, written as directly as the system allows.
#include "bench/floors.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <strings.h>
#include <sys/stat.h>
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
    struct stat info;
    bytes.resize(fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0);
    std::size_t done = 0;
    ssize_t got;
    while (done < bytes.size() && (got = read(fd, &bytes[done], bytes.size() - done)) > 0)
        done += static_cast<std::size_t>(got);
    bytes.resize(done);
    close(fd);
    return bytes;
}

std::size_t ReadOnce(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    struct stat info;
    const std::size_t size = fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
    const std::unique_ptr<char[]> buffer(new char[size + 1]);
    std::size_t done = 0;
    ssize_t got;
    while (done < size && (got = read(fd, buffer.get() + done, size - done)) > 0)
        done += static_cast<std::size_t>(got);
    close(fd);
    return done;
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

std::size_t ReadAndReplace(const std::string& path)
{
    const std::string bytes = ReadFile(path);
    const std::string temporary = path + ".bench-new";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return 0;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += static_cast<std::size_t>(written);
    }
    fsync(fd);
    close(fd);
    rename(temporary.c_str(), path.c_str());
    const std::string folder = path.substr(0, path.rfind('/'));
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return done;
}

} // namespace floors
