// A fresh temporary folder for one test, removed with all it holds when the test ends.
#pragma once

#include <wx/string.h>

#include <string>

class TempFolder
{
public:
    explicit TempFolder(const std::string& label = "game");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const wxString& Path() const { return m_path; }
    // The full path of `name` inside the folder.
    wxString PathOf(const wxString& name) const;

    // Writes `bytes` exactly to `name` (sub-directories are created) and returns its path.
    wxString Write(const wxString& name, const std::string& bytes) const;
    // Writes a shell script and makes it executable.
    wxString WriteScript(const wxString& name, const std::string& body) const;
    wxString MakeDirectory(const wxString& name) const;
    // The bytes of `name`, or "<missing>" when it cannot be read.
    std::string Read(const wxString& name) const;
    bool Exists(const wxString& name) const;
    void Remove(const wxString& name) const;

private:
    wxString m_path;
};
