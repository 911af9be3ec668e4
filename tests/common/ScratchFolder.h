// Scratch folders and whole-file reads and writes for tests that touch the file system.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it, also after a
// test made parts of it read-only.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // With forward slashes on every platform, so that a message naming the file reads the same.
    std::string File(const std::string& name) const { return (m_path / name).generic_string(); }
    // Names of the entries directly in the folder, sorted.
    std::vector<std::string> Entries() const;
    // Names of every entry below the folder, relative to it with forward slashes, and sorted.
    std::vector<std::string> Tree() const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
