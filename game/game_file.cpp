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
    // Read straight into the string, sized from fstat. Past that size the reads go through a
    // small buffer, which finds the end at once and still takes a file that grew meanwhile (or
    // one that tells no size, as under /proc), up to the limit.
    struct stat info = {};
    bytes.resize(fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0);
    std::size_t done = 0;
    char beyond[4096];
    for (;;) {
        const bool inside = done < bytes.size();
        char* const into = inside ? &bytes[done] : beyond;
        const ssize_t got = read(fd, into, inside ? bytes.size() - done : sizeof beyond);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        if (got == 0) {
            result = FileReadResult::Read;
            break;
        }
        const auto count = static_cast<std::size_t>(got);
        if (!inside) {
            if (count > limit - done)
                break;
            bytes.append(beyond, count);
        }
        done += count;
    }
    bytes.resize(done);
    close(fd);
    if (result != FileReadResult::Read)
        bytes.clear();
    return result;
}
