// The batch's folder, the same on every platform: made whole through a hidden stand-in when it is
// new, and the paths of its files as messages name them.
#include "AtomicSave.h"
#include "FileSystem.h"

#include <random>

namespace fs = std::filesystem;

namespace {

// A hidden name no other batch picks: a leftover of a batch that was killed is never reused.
std::string HiddenFolderName() {
    std::random_device random;
    constexpr char kDigits[] = "0123456789abcdef";
    std::string name = ".qx-batch-";
    for (int k = 0; k < 4; ++k)
        for (unsigned value = random(), digit = 0; digit < 8; ++digit, value >>= 4)
            name += kDigits[value & 15];
    return name + ".tmp";
}

} // namespace

AtomicSaveBatch::AtomicSaveBatch(std::string folder) : m_folder(std::move(folder)) {}

std::string AtomicSaveBatch::PathOf(const std::string& name) const {
    const bool separated = m_folder.empty() || m_folder.back() == '/';
    return m_folder + (separated ? "" : "/") + name;
}

std::optional<std::string> AtomicSaveBatch::Begin() {
    fs::path folder = PathFromUtf8(m_folder);
    if (!folder.has_filename())
        folder = folder.parent_path();
    std::error_code error;
    const bool named = folder.filename() != "." && folder.filename() != "..";
    if (named && fs::symlink_status(folder, error).type() == fs::file_type::not_found) {
        error.clear(); // a missing folder is also reported as an error
        const fs::path parent = folder.parent_path();
        if (!parent.empty())
            fs::create_directories(parent, error);
        const fs::path hidden = (parent.empty() ? fs::path(".") : parent) / HiddenFolderName();
        if (!error && fs::create_directory(hidden, error)) {
            m_newFolder = Utf8FromPath(folder);
            m_hidden = Utf8FromPath(hidden);
            return std::nullopt;
        }
    }
    // A folder that exists, or a new one without room for its stand-in: the files are replaced
    // one by one.
    error.clear();
    fs::create_directories(folder, error);
    if (fs::is_directory(folder))
        return std::nullopt;
    return error ? error.message() : std::string("it is a file");
}
