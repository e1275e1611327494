// Opening data files into slots and closing them: the engine side. The window adds its own
// captions, cursor and page changes around these.
#pragma once

#include <string>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel {

// ".ZV1", ".ZV2", ".ZV3" by the first four characters of the extension, in any letter case.
TFileType FileTypeOfPath(const std::string& path);

// True for data files. A ".NXQ" path gets the notice that SD card files are read elsewhere.
bool IsDataFile(const std::string& path, Host& host);

struct OpenOptions {
  bool batchRunning = false;
  bool refreshMaps = false;  // the "refresh maps" box
  // Map at opening, so that the slot's span is the one the records hold rather than the
  // header's (which reading never rewrites). Off only for a caller that rebuilds the map itself
  // at once, such as the call-finding run.
  bool mapAtOpening = true;
};

struct OpenOutcome {
  bool opened = false;
  bool mapFileWritten = false;  // the caller lists "<name> re-mapped"
};

// Opens path into the slot (closing what was there). Every failure leaves the slot vacant and
// the other slots untouched, with the message the failure calls for.
OpenOutcome OpenFileInSlot(FileSlots& slots, const std::string& path, int slot, Host& host, const OpenOptions& options);

// Frees the slot's stream, map and buffer (writing back any changed records first) and
// leaves it vacant. Nothing happens for a slot that is not open.
void CloseSlot(FileSlots& slots, int slot);
void CloseAllSlots(FileSlots& slots);

// The neighbouring file of the same import: the number between the last "file" in the name and
// the extension, one less or one more; empty when there is no such file.
std::string PreviousFileName(const std::string& path);
std::string NextFileName(const std::string& path);

// The path with its extension replaced (".ZV1", ".ZV2").
std::string WithExtension(const std::string& path, const std::string& ext);

// Texts that follow the slots: the open button's caption, the window title, a skip box's caption.
std::string OpenButtonCaption(int openCount);
std::string WindowTitle(const FileSlots& slots);
std::string SkipBoxCaption(const TFileRec& slot);

}  // namespace zorvel
