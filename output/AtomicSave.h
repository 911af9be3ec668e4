// Replacing a file whole or not at all.
#pragma once

#include <optional>
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

// Writes many files into one folder, each whole or not at all, at the cost of one file-system
// sync instead of one per file. In a folder that exists, each file's bytes go to a temporary file
// beside it (not synced); Commit syncs the file systems once and then renames each temporary file
// over its target. A folder that does not exist yet is made whole: its files are written under
// their own names into a hidden folder beside it, and Commit syncs once and renames that folder
// into place, so that the folder appears with every file at once and no file needs a temporary
// file and a rename of its own. Windows has no such sync: there each file is flushed as it is
// staged. A file that cannot be staged or committed keeps its previous contents; the others are
// unaffected. What was never committed is removed when the batch ends.
class AtomicSaveBatch {
public:
    // A batch of files in folder, given as UTF-8 text.
    explicit AtomicSaveBatch(std::string folder);
    AtomicSaveBatch(const AtomicSaveBatch&) = delete;
    AtomicSaveBatch& operator=(const AtomicSaveBatch&) = delete;
    ~AtomicSaveBatch();

    // Makes the folder's parents, and the folder itself or the hidden folder that stands for it
    // until Commit; the reason, without the folder's name, when the folder cannot be made.
    [[nodiscard]] std::optional<std::string> Begin();
    // Writes the bytes of the file name in the folder. In a folder that exists, a target that is
    // no regular file is written into at once, as SaveFileAtomically does.
    [[nodiscard]] SaveResult Stage(const std::string& name, std::string_view bytes);
    // Syncs and puts in place everything staged; one result per successful Stage, in order.
    [[nodiscard]] std::vector<SaveResult> Commit();

private:
    struct Staged {
        std::string requested; // the path in the folder, as messages name it
        std::string target;    // the file the rename replaces (a link resolved)
        std::string temporary; // empty when the bytes went straight into the target
    };
    // The path of the file name in the folder, joined as text so that it stays UTF-8 and the
    // messages name it alike on every platform.
    std::string PathOf(const std::string& name) const;
    // The folder made whole: synced, renamed into place, or its files moved one by one into a
    // folder that appeared meanwhile.
    std::vector<SaveResult> CommitNewFolder();

    std::string m_folder;
    // The folder to make, without a trailing separator, and the hidden folder standing for it
    // until Commit; both empty when the folder existed.
    std::string m_newFolder;
    std::string m_hidden;
    std::vector<Staged> m_staged;
};
