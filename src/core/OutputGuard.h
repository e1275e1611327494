// What a command may write and read by name. A report, a sound file or a copy that lands on one
// of the command's own inputs, or on any data file or sidecar, destroys what it was made from;
// and a "file" that is a pipe, a device or a broken link hangs or fails a reader half-way. Both
// are decided here once, before anything is opened, so every command refuses them in the same
// words (core/Messages.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

// What is written at the output.
enum class OutputKind {
  Text,      // reports, listings, sound, logger files: never a data file, map or summary
  DataFile,  // ZV1/ZV2 copies and imports: never a map or summary
};

// True when the extension (any letter case) is that of a data file (.ZV1 .ZV2 .ZV3), a minute
// map (.z1m .z2m .z3m) or a minute summary (.z1s .z2s .z3s).
bool HasDataFileExtension(std::string_view path);
bool HasSidecarExtension(std::string_view path);

// True when a and b name the same file: the same device and inode (links, hard links, "./x"),
// or, when either does not exist yet, the same canonical path.
bool SameFile(const std::string& a, const std::string& b);

// Why output must not be written: it is one of the inputs, a folder, or (by kind) named as a file
// the command must never produce. Empty when it may be written.
std::string OutputProblem(const std::string& output, const std::vector<std::string>& inputs,
                          OutputKind kind = OutputKind::Text);

// Why folder must not receive a command's files: it is one of the inputs, lies inside an input
// folder, or is the folder an input file lies in (an SD card is only read). Empty when it may.
std::string OutputFolderProblem(const std::string& folder, const std::vector<std::string>& inputs);

// Why path cannot be read as a regular file although something is there: a pipe, a device, a
// socket, a link to nothing or a link that loops. Empty for a regular file, a folder and a path
// where nothing is (those have their own messages where they are met).
std::string NotRegularFileProblem(const std::string& path);

}  // namespace zorvel
