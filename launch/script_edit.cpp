// Finding, adding and removing the All AI line on a script's bytes, and replacing files safely.
#include "launch/script_edit.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// How the characters of a script are laid out in its bytes.
struct Encoding
{
    std::size_t bomSize;
    std::size_t unitSize; // bytes per code unit
    bool bigEndian;
};

// A line's bytes: its characters from `begin` to `contentEnd`, then its line end up to `end`.
struct Line
{
    std::size_t begin;
    std::size_t contentEnd;
    std::size_t end;
};

bool StartsWith(const std::string& bytes, const char* prefix, std::size_t size)
{
    return bytes.size() >= size && bytes.compare(0, size, prefix, size) == 0;
}

// The order of the tests is wxConvAuto's, where "FF FE 00 00" is UTF-32 rather than UTF-16.
Encoding DetectEncoding(const std::string& bytes)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        return {3, 1, false};
    if (StartsWith(bytes, "\x00\x00\xFE\xFF", 4))
        return {4, 4, true};
    if (StartsWith(bytes, "\xFF\xFE\x00\x00", 4))
        return {4, 4, false};
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return {2, 2, true};
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return {2, 2, false};
    return {0, 1, false};
}

std::uint32_t UnitAt(const std::string& bytes, std::size_t offset, const Encoding& encoding)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < encoding.unitSize; ++i) {
        const std::size_t index = encoding.bigEndian ? i : encoding.unitSize - 1 - i;
        value = value << 8 | static_cast<unsigned char>(bytes[offset + index]);
    }
    return value;
}

// ASCII text in the script's encoding.
std::string Encode(const std::string& ascii, const Encoding& encoding)
{
    std::string encoded;
    for (const char c : ascii) {
        for (std::size_t i = 0; i < encoding.unitSize; ++i) {
            const bool last = i == encoding.unitSize - 1;
            encoded += (encoding.bigEndian ? last : i == 0) ? c : '\0';
        }
    }
    return encoded;
}

// Finds the line ends of a script in turn. In 8-bit text memchr finds them, as a script may be
// megabytes long; where each of LF and CR was last found is kept, so that a file holding only one
// kind is still searched once, not once per line.
class LineEnds
{
public:
    LineEnds(const std::string& bytes, std::size_t whole, const Encoding& encoding)
        : m_bytes(bytes), m_whole(whole), m_encoding(encoding)
    {
    }

    // The first line end at or after `at`: its first code unit, or `whole` when there is none.
    std::size_t Next(std::size_t at)
    {
        if (m_encoding.unitSize == 1) {
            m_lf = Search(m_lf, at, '\n');
            m_cr = Search(m_cr, at, '\r');
            return std::min(m_lf, m_cr);
        }
        for (; at < m_whole; at += m_encoding.unitSize) {
            const std::uint32_t c = UnitAt(m_bytes, at, m_encoding);
            if (c == '\n' || c == '\r')
                return at;
        }
        return m_whole;
    }

private:
    std::size_t Search(std::size_t known, std::size_t at, char c) const
    {
        if (known != unknown && known >= at)
            return known;
        const void* const found = std::memchr(m_bytes.data() + at, c, m_whole - at);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_bytes.data())
                     : m_whole;
    }

    static constexpr std::size_t unknown = static_cast<std::size_t>(-1);
    const std::string& m_bytes;
    const std::size_t m_whole;
    const Encoding& m_encoding;
    std::size_t m_lf = unknown;
    std::size_t m_cr = unknown;
};

// Calls `visit` with each line in turn, without building a list of them, until it returns false.
template <typename Visit>
void ForEachLine(const std::string& bytes, const Encoding& encoding, Visit visit)
{
    const std::size_t unit = encoding.unitSize;
    // A partial code unit at the very end can only be part of the last line's characters.
    const std::size_t whole = encoding.bomSize + (bytes.size() - encoding.bomSize) / unit * unit;
    LineEnds ends(bytes, whole, encoding);
    std::size_t begin = encoding.bomSize;
    while (begin < whole) {
        const std::size_t at = ends.Next(begin);
        if (at == whole)
            break;
        std::size_t end = at + unit;
        if (UnitAt(bytes, at, encoding) == '\r' && end < whole &&
            UnitAt(bytes, end, encoding) == '\n')
            end += unit;
        if (!visit(Line{begin, at, end}))
            return;
        begin = end;
    }
    if (begin < bytes.size())
        visit(Line{begin, bytes.size(), bytes.size()});
}

bool IsAllAILine(const std::string& bytes, const Line& line, const std::string& command)
{
    return line.contentEnd - line.begin >= command.size() &&
           bytes.compare(line.begin, command.size(), command) == 0;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// umask() can only be read by changing it, which would race any other thread creating a file.
mode_t CurrentUmask()
{
    if (FILE* const status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned int mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        static_cast<void>(std::fclose(status)); // nothing was written that could be lost
        if (found)
            return static_cast<mode_t>(mask);
    }
    const mode_t mask = umask(0);
    static_cast<void>(umask(mask)); // gives back the mask just read, which it returns again
    return mask;
}

mode_t PermissionsFor(const std::string& target)
{
    struct stat info;
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    return 0644 & ~CurrentUmask();
}

} // namespace

bool HasAllAILine(const std::string& bytes)
{
    const Encoding encoding = DetectEncoding(bytes);
    const std::string command = Encode(allAICommand, encoding);
    bool found = false;
    ForEachLine(bytes, encoding, [&](const Line& line) {
        found = IsAllAILine(bytes, line, command);
        return !found;
    });
    return found;
}

std::string AddAllAILine(const std::string& bytes)
{
    const Encoding encoding = DetectEncoding(bytes);
    const std::string line = Encode(std::string(allAICommand) + "\n", encoding);
    std::string added;
    added.reserve(bytes.size() + line.size());
    added.append(bytes, 0, encoding.bomSize).append(line).append(bytes, encoding.bomSize);
    return added;
}

std::string RemoveAllAILines(const std::string& bytes)
{
    const Encoding encoding = DetectEncoding(bytes);
    const std::string command = Encode(allAICommand, encoding);
    // Everything between two removed lines is copied in one piece.
    std::string kept;
    kept.reserve(bytes.size());
    std::size_t keptFrom = 0;
    ForEachLine(bytes, encoding, [&](const Line& line) {
        if (IsAllAILine(bytes, line, command)) {
            kept.append(bytes, keptFrom, line.begin - keptFrom);
            keptFrom = line.end;
        }
        return true;
    });
    kept.append(bytes, keptFrom, std::string::npos);
    // Taking the first line away may uncover bytes that read as a byte-order mark, so that the
    // rest would be read in another encoding, where it may hold the line again. Such a script
    // is left as it was; the caller finds the line still there and says so.
    const Encoding after = DetectEncoding(kept);
    if (after.bomSize != encoding.bomSize || after.unitSize != encoding.unitSize ||
        after.bigEndian != encoding.bigEndian)
        return bytes;
    return kept;
}

bool ReplaceFileAtomically(const wxString& path, const std::string& bytes)
{
    const wxCharBuffer encoded = path.fn_str();
    if (path.empty() || !encoded.data() || !*encoded.data())
        return false;
    const std::string target(encoded.data());
    const std::size_t slash = target.rfind('/');
    const std::string prefix = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = target.substr(prefix.size());
    if (name.empty())
        return false;

    const std::string pattern = prefix + "." + name + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    fcntl(fd, F_SETFD, FD_CLOEXEC);

    const bool written =
        WriteAll(fd, bytes) && fchmod(fd, PermissionsFor(target)) == 0 && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    // rename() replaces a symbolic link itself rather than the file it points to.
    if (!written || !closed || rename(temporary.data(), target.c_str()) != 0) {
        unlink(temporary.data());
        return false;
    }

    // The rename is only durable once the folder's entry is on disk too.
    const std::string folder = prefix.empty() ? "." : prefix;
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}
