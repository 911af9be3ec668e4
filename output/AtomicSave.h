// Replacing a file whole or not at all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct SaveResult {
    bool ok = true;
    std::string message; // why the save failed, naming the file; empty on success
    std::string reason;  // why the save failed, without the file name; empty on success

    explicit operator bool() const { return ok; }
};

// Writes bytes to a temporary file in the target's folder, flushes and syncs it, and renames it
// over the target, so that readers see either the previous file or the new one. On any failure
// the previous file is left as it was, the temporary file is removed and the result says why.
// On POSIX a target that exists and is no regular file (a terminal, a pipe, /dev/null) cannot be
// replaced; the bytes are written into it directly and a failed write is reported the same way.
// On Windows a device's reserved name (CON, NUL, COM1, ... with any extension) is refused, and
// so is a read-only file. A symbolic link is followed, so the file it points at is replaced and
// the link stays. Implemented per platform in platform/FileSystem*.cpp.
[[nodiscard]] SaveResult SaveFileAtomically(const std::string& path, std::string_view bytes);

// Replaces many files whole or not at all, at the cost of one file-system sync instead of one per
// file: each file's bytes go to a temporary file beside it (not synced), Commit syncs the file
// systems once and then renames each temporary file over its target. Windows has no such sync:
// there each temporary file is flushed as it is staged. A file that cannot be staged
// or committed keeps its previous contents; the others are unaffected. Temporary files that were
// never committed are removed when the batch ends.
class AtomicSaveBatch {
public:
    AtomicSaveBatch() = default;
    AtomicSaveBatch(const AtomicSaveBatch&) = delete;
    AtomicSaveBatch& operator=(const AtomicSaveBatch&) = delete;
    ~AtomicSaveBatch();

    // Writes the bytes for path into a temporary file beside it. A target that is no regular
    // file is written into at once, as SaveFileAtomically does.
    [[nodiscard]] SaveResult Stage(const std::string& path, std::string_view bytes);
    // Syncs and renames everything staged; one result per successful Stage, in the same order.
    [[nodiscard]] std::vector<SaveResult> Commit();

private:
    struct Staged {
        std::string requested; // the path as given, for messages
        std::string target;    // the file the rename replaces (a link resolved)
        std::string temporary; // empty when the bytes went straight into the target
    };
    std::vector<Staged> m_staged;
};
