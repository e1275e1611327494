// The clipboard lists of the popup menu. While a screen is drawn, a slot whose PasteRaw or
// PasteCalls is set adds one tab-separated line for every wave group (raw) or every new call
// (calls) the painter draws of it; the window puts the text on the clipboard afterwards. The
// list belongs to the painter, so one refresh fills exactly one list.
#pragma once

#include <string>
#include <vector>

#include "core/FileRec.h"

namespace zorvel {

// The header line of a raw list, and the line of the slot's present wave group.
std::string RawPasteHeader();
std::string RawPasteLine(const TFileRec& s);

// The header line of a call list (it names the file), and the line of the slot's present call.
std::string CallPasteHeader(const TFileRec& s);
std::string CallPasteLine(const TFileRec& s);

class PasteList {
 public:
  // Each adds the header first when the list is empty.
  void AddRaw(const TFileRec& s);
  void AddCall(const TFileRec& s);

  void Clear() { lines_.clear(); }
  bool Empty() const { return lines_.empty(); }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The lines joined by CR LF, as spreadsheets expect them from the clipboard.
  std::string Text() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace zorvel
