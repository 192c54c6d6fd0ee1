// Generated game folders for the benchmark: module files, mod folders, script and log.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

// The selection mods exist in folders of at least this many module files.
constexpr int selectionFolderMinimum = 60;

// A Soulstorm folder holding exactly `modules` module files, each with its mod folder: the base
// game's W40k (not playable) and DXP2, and generated mods of which every tenth is not playable.
// From selectionFolderMinimum files on it also holds the selection mods, which require 1, 10
// and 50 of the generated mods, each with the version comment its installed version satisfies.
void MakeGame(const std::string& folder, int modules);

// The file name of the selection mod that requires `required` mods (1, 10 or 50).
std::string SelectionModule(int required);

// A warnings.log of `lines` lines, every 500th of them a fatal data error.
void WriteWarningsLog(const std::string& folder, int lines);

// An autoexec.lua of about `bytes` bytes of ordinary Lua lines, without the All AI line.
void WriteAutoexec(const std::string& folder, std::size_t bytes);

// A new empty folder under the system's temporary folder; removed by RemoveTree.
std::string MakeTemporaryFolder(const std::string& label);
void RemoveTree(const std::string& folder);

} // namespace bench
