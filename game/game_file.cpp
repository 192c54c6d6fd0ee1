// Opening game files only when they are bounded regular files, without blocking on anything else.
#include "game/game_file.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenGameFile(const wxString& path, std::size_t limit, FileReadResult& result)
{
    result = FileReadResult::Unreadable;
    const wxCharBuffer name = path.fn_str();
    if (path.empty() || !name.data() || !*name.data())
        return -1;

    // Non-blocking, so that opening a FIFO returns at once and fstat turns it away.
    const int fd = open(name.data(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            result = FileReadResult::Missing;
        return -1;
    }
    struct stat info = {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > limit) {
        close(fd);
        return -1;
    }
    result = FileReadResult::Read;
    return fd;
}

FileReadResult ReadFileBytes(const wxString& path, std::string& bytes, std::size_t limit)
{
    bytes.clear();
    FileReadResult result = FileReadResult::Unreadable;
    const int fd = OpenGameFile(path, limit, result);
    if (fd < 0)
        return result;

    result = FileReadResult::Unreadable;
    struct stat info = {};
    if (fstat(fd, &info) == 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        if (got == 0) {
            result = FileReadResult::Read;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        // The file may have grown since fstat.
        if (bytes.size() > limit)
            break;
    }
    close(fd);
    if (result != FileReadResult::Read)
        bytes.clear();
    return result;
}
