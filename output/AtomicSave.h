// Replacing a file whole or not at all.
#pragma once

#include <string>
#include <string_view>

struct SaveResult {
    bool ok = true;
    std::string message; // why the save failed, naming the file; empty on success
    std::string reason;  // why the save failed, without the file name; empty on success

    explicit operator bool() const { return ok; }
};

// Writes bytes to a temporary file in the target's folder, flushes and syncs it, and renames it
// over the target, so that readers see either the previous file or the new one. On any failure
// the previous file is left as it was, the temporary file is removed and the result says why.
// A target that exists and is no regular file (a terminal, a pipe, /dev/null) cannot be replaced;
// the bytes are written into it directly and a failed write is reported the same way. A symbolic
// link is followed, so the file it points at is replaced and the link stays.
[[nodiscard]] SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes);
