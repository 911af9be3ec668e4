// Helpers shared by the settings output tests: a recording prompt and scratch files.
#pragma once

#include "WizardPrompt.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Records every message box and answers the Yes/No question with a fixed answer.
class RecordingPrompt : public IWizardPrompt {
public:
    explicit RecordingPrompt(bool answerYes = true) : m_answerYes(answerYes) {}

    void MessageBoxOk(std::string_view text) override { messages.emplace_back(text); }
    bool AskYesNo(std::string_view text) override {
        questions.emplace_back(text);
        return m_answerYes;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;

private:
    bool m_answerYes;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
