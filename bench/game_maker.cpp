// Writing the benchmark's game folders with plain file calls.
#include "bench/game_maker.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

namespace bench {
namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ModName(int index)
{
    char name[16];
    std::snprintf(name, sizeof name, "Mod%05d", index);
    return name;
}

std::string Version(int index)
{
    return "1.0." + std::to_string(index);
}

// A module file laid out as the real ones are, with CRLF line ends.
std::string ModuleText(const std::string& name, bool playable, const std::string& version,
                       const std::string& required)
{
    return "[global]\r\n\r\nUIName = " + name + "\r\nDescription = Generated mod " + name +
           " for the benchmark.\r\nDllName = WXPMod\r\nPlayable = " + (playable ? "1" : "0") +
           "\r\nModFolder = " + name + "\r\nModVersion = " + version +
           "\r\nTextureFE = Art/UI/Textures/Title_" + name +
           ".tga\r\nTextureIcon =\r\n\r\n"
           "DataFolder.1 = Data\r\n\r\nArchiveFile.1 = " +
           name + "Data\r\nArchiveFile.2 = " + name + "Textures\r\n\r\n" + required;
}

void AddMod(const std::string& folder, const std::string& name, bool playable,
            const std::string& version, const std::string& required)
{
    WriteFile(folder + "/" + name + ".module", ModuleText(name, playable, version, required));
    std::filesystem::create_directories(folder + "/" + name + "/Data");
}

} // namespace

std::string SelectionModule(int required)
{
    char name[32];
    std::snprintf(name, sizeof name, "Select%02d.module", required);
    return name;
}

void MakeGame(const std::string& folder, int modules)
{
    std::filesystem::create_directories(folder);
    WriteFile(folder + "/Soulstorm.exe", "#!/bin/sh\nexit 0\n");
    chmod((folder + "/Soulstorm.exe").c_str(), 0755);

    AddMod(folder, "W40k", false, "1.51", "");
    AddMod(folder, "DXP2", true, "1.2", "RequiredMod.1 = W40k\r\n");
    int left = modules - 2;
    if (modules >= selectionFolderMinimum) {
        for (const int required : {1, 10, 50}) {
            std::string lines;
            for (int i = 0; i < required; ++i) {
                lines += ";; Version = " + Version(i) + "\r\nRequiredMod." + std::to_string(i + 1) +
                         " = " + ModName(i) + "\r\n";
            }
            const std::string file = SelectionModule(required);
            AddMod(folder, file.substr(0, file.size() - 7), true, "2.0", lines);
        }
        left -= 3;
    }
    for (int i = 0; i < left; ++i)
        AddMod(folder, ModName(i), i % 10 != 9, Version(i), "RequiredMod.1 = W40k\r\n");
}

void WriteWarningsLog(const std::string& folder, int lines)
{
    std::string text = "Application : Soulstorm\r\n";
    char line[160];
    for (int i = 1; i < lines; ++i) {
        const int s = i % 6000;
        if (i % 500 == 0) {
            std::snprintf(line, sizeof line,
                          "12:%02d:%02d.%02d   MOD -- Fatal Data Error: the texture "
                          "art/ebps/races/mod%05d/texture_share/default.rtx is missing\r\n",
                          s / 100 % 60, s % 60, i % 100, i % 10000);
        } else {
            std::snprintf(line, sizeof line,
                          "12:%02d:%02d.%02d   MOD -- loaded %d files from Mod%05d/Data\r\n",
                          s / 100 % 60, s % 60, i % 100, i % 997, i % 10000);
        }
        text += line;
    }
    WriteFile(folder + "/warnings.log", text);
}

void WriteAutoexec(const std::string& folder, std::size_t bytes)
{
    std::string text = "-- autoexec.lua\r\n";
    for (int i = 0; text.size() < bytes; ++i)
        text +=
            "setsimrate(" + std::to_string(8 + i % 24) + ") -- line " + std::to_string(i) + "\r\n";
    WriteFile(folder + "/autoexec.lua", text);
}

std::string MakeTemporaryFolder(const std::string& label)
{
    const char* const base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base && *base ? base : "/tmp") + "/quorvant-bench-" + label + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("cannot make " + pattern);
    return buffer.data();
}

void RemoveTree(const std::string& folder)
{
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

} // namespace bench
