// Temporary folders for tests, made with mkdtemp and removed recursively.
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {
fs::path ToPath(const wxString& path)
{
    return fs::path(std::string(path.fn_str()));
}
} // namespace

TempFolder::TempFolder(const std::string& label)
{
    const char* const base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base && *base ? base : "/tmp") + "/quorvant-" + label + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
    m_path = wxString(buffer.data(), *wxConvFileName);
}

TempFolder::~TempFolder()
{
    // Tests may have taken permissions away; give them back so that everything can go.
    std::error_code error;
    const fs::path root = ToPath(m_path);
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
    for (auto it = fs::recursive_directory_iterator(root, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(root, error);
}

wxString TempFolder::PathOf(const wxString& name) const
{
    return m_path + "/" + name;
}

wxString TempFolder::Write(const wxString& name, const std::string& bytes) const
{
    const fs::path path = ToPath(PathOf(name));
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        ADD_FAILURE() << "cannot write " << path;
    return PathOf(name);
}

wxString TempFolder::WriteScript(const wxString& name, const std::string& body) const
{
    const wxString path = Write(name, "#!/bin/sh\n" + body);
    std::error_code error;
    fs::permissions(ToPath(path),
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    error);
    return path;
}

wxString TempFolder::MakeDirectory(const wxString& name) const
{
    std::error_code error;
    fs::create_directories(ToPath(PathOf(name)), error);
    return PathOf(name);
}

std::string TempFolder::Read(const wxString& name) const
{
    std::ifstream in(ToPath(PathOf(name)), std::ios::binary);
    if (!in)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(const wxString& name) const
{
    std::error_code error;
    return fs::exists(fs::symlink_status(ToPath(PathOf(name)), error));
}

void TempFolder::Remove(const wxString& name) const
{
    std::error_code error;
    fs::remove_all(ToPath(PathOf(name)), error);
}
