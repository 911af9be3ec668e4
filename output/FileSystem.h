// The platform seam for files: the one whole-file reader and the wording of system errors, with a
// POSIX and a Windows implementation (output/platform/), the same guarantees on both.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Which files the reader takes. A settings or standard INI file must be a regular file: a named
// pipe nobody writes would block for ever and a device such as /dev/zero never ends. An input
// file of the command line may also be a pipe (a shell's "<(...)"), still under the size cap.
enum class FileKinds { RegularOnly, StreamsToo };

// A file path from UTF-8 text, as every path of the program is given; on Windows the wide path
// the system calls take.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The UTF-8 text of a file path, the way back from PathFromUtf8.
inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Reads the file at path into bytes, never more than maxBytes + 1 of them: a caller knows a file
// over its limit by the size. The reason, without the file name, when it cannot be read: the
// system's text worded as on Linux ("No such file or directory", "Is a directory") or "not a
// regular file" (also for the devices Windows reserves by name: CON, NUL, COM1, ...).
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::string& path,
                                                       std::size_t maxBytes, std::string& bytes,
                                                       FileKinds kinds = FileKinds::RegularOnly);

// Reads standard input to its end, in binary on every platform, never more than maxBytes + 1
// bytes; the reason when it cannot be read.
[[nodiscard]] std::optional<std::string> ReadStandardInput(std::size_t maxBytes,
                                                           std::string& bytes);

// The text of a failed system call's error code (errno on POSIX, GetLastError on Windows), the
// same text for the same cause on both.
std::string SystemErrorText(int error);
