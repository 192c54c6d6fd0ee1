// The All AI line of the game's start-up script, edited on the file's raw bytes.
#pragma once

#include "game/game_file.h"

#include <wx/string.h>

#include <cstddef>
#include <string>

// The command whose line at the start of autoexec.lua makes the AI play for the local player.
constexpr const char* allAICommand = "Cpu_ControlLocalPlayer()";

// The bytes are read as the toolkit's automatic conversion reads them: the byte-order mark picks
// UTF-32, UTF-16 or UTF-8, anything else is 8-bit text; lines end at CR LF, LF or a lone CR.
// Nothing is ever decoded or re-encoded, so every byte not added or removed stays as it was.

// Whether a line begins with the command, at its first character.
bool HasAllAILine(const std::string& bytes);

// The command and a line feed inserted before every other line, in the file's encoding.
std::string AddAllAILine(const std::string& bytes);

// Every line that begins with the command taken out together with its own line end.
std::string RemoveAllAILines(const std::string& bytes);

// Replaces `path` by a file holding `bytes` so that a reader sees either the old or the new file,
// never a part: a temporary file in the same folder is synced and renamed over it. The old file's
// permission bits are kept; a symbolic link is replaced itself, never written through. On failure
// the old file is untouched, no temporary file is left behind, and the result is false.
bool ReplaceFileAtomically(const wxString& path, const std::string& bytes);
