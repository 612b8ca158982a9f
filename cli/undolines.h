#pragma once
// What batora-cli --undo shows before it asks: each file it would put back, and why a file is
// skipped.

#include <string>
#include <vector>

#include "undorun.h"

namespace batora::cli {

// One line per file, newest first: " " to be put back, "!" skipped (with the reason), "="
// carries its old name already; then the counts.
std::vector<std::string> undoLines(const std::vector<UndoStep>& steps);

// Whether any file would be skipped.
bool anySkipped(const std::vector<UndoStep>& steps);

}  // namespace batora::cli
