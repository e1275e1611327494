// Renaming, moving and deleting the files of a deployment: a ZV1 file and, after processing,
// ZV2 and ZV3 files of the same base name, each with its minute map. The engine works on paths;
// the window resolves the file selected for action and asks for the new name first.
#pragma once

#include <optional>
#include <string>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel::fileutils {

// The slot selected for action, or the only open slot when none was chosen; 0 when neither.
int ActionSlot(const FileSlots& slots, int selectedSlot);

// The file a set operation works on, with the message the window shows when there is none:
// the first open slot's file for "Rename file set", the action slot's file for the others.
std::optional<std::string> RenameSetSource(const FileSlots& slots, Host& host);
std::optional<std::string> ActionSlotPath(const FileSlots& slots, int selectedSlot, Host& host);

// Moves a file, across folders and drives too. Never replaces silently: the caller asks first.
bool MoveFile(const std::string& from, const std::string& to, std::string* error = nullptr);

// The save dialog for renaming a file ("Save <name> as ..", proposing its full name).
SaveRequest RenameRequest(const TFileRec& slot);

// Moves every file of the set named by source (any member, any extension) to the base name
// chosen, with its maps. All slots are closed first. Returns the number of data files moved.
int RenameFileSet(FileSlots& slots, const std::string& source, const std::string& chosen, Host& host);

// Moves one data file and its own map.
bool RenameOneFile(FileSlots& slots, const std::string& path, const std::string& chosen, Host& host);

// Asks, then deletes the set's ZV1 and ZV2 files and their maps (ZV3 files are kept).
// Returns the number of files deleted.
int DeleteFileSet(FileSlots& slots, const std::string& path, Host& host);

}  // namespace zorvel::fileutils
