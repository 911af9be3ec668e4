// Scratch folders and whole-file reads and writes for tests that touch the file system.
#include "ScratchFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    // A random name made anew until one is free: creating the folder is the atomic test.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Forward slashes on Windows too, which its calls take: messages quote a path with its
        // backslashes escaped, and the tests compare messages with the paths they gave.
        m_path =
            (fs::temp_directory_path() / ("qx-test-" + std::to_string(random()))).generic_string();
        if (fs::create_directory(m_path))
            return;
    }
    throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    // Folders a test made read-only must be writable again before they can be emptied, and on
    // Windows so must read-only files before they can be removed.
    for (const auto& entry : fs::recursive_directory_iterator(m_path, error))
        if (entry.is_directory(error) || fs::is_regular_file(entry.symlink_status(error)))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(m_path, error);
}

std::vector<std::string> ScratchFolder::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ScratchFolder::Tree() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(m_path))
        names.push_back(fs::relative(entry.path(), m_path).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
