// The file seam on Windows: whole-file reads, and whole-or-nothing replacement through a flushed
// temporary file and MoveFileExW, with wide paths and the wording of the POSIX implementation.
#include "AtomicSave.h"
#include "FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <string>

namespace fs = std::filesystem;

namespace {

// Win32 error codes and the text Linux's strerror gives for the same cause, so that a message
// reads the same on both platforms.
struct ErrorText {
    DWORD code;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {ERROR_FILE_NOT_FOUND, "No such file or directory"},
    {ERROR_PATH_NOT_FOUND, "No such file or directory"},
    {ERROR_INVALID_DRIVE, "No such file or directory"},
    {ERROR_BAD_NETPATH, "No such file or directory"},
    {ERROR_BAD_NET_NAME, "No such file or directory"},
    {ERROR_ACCESS_DENIED, "Permission denied"},
    {ERROR_SHARING_VIOLATION, "Device or resource busy"},
    {ERROR_LOCK_VIOLATION, "Device or resource busy"},
    {ERROR_DIRECTORY, "Not a directory"},
    {ERROR_FILE_EXISTS, "File exists"},
    {ERROR_ALREADY_EXISTS, "File exists"},
    {ERROR_DISK_FULL, "No space left on device"},
    {ERROR_HANDLE_DISK_FULL, "No space left on device"},
    {ERROR_FILENAME_EXCED_RANGE, "File name too long"},
    {ERROR_WRITE_PROTECT, "Read-only file system"},
    {ERROR_NOT_ENOUGH_MEMORY, "Cannot allocate memory"},
    {ERROR_OUTOFMEMORY, "Cannot allocate memory"},
    {ERROR_NOT_SAME_DEVICE, "Invalid cross-device link"},
    {ERROR_INVALID_NAME, "Invalid argument"},
    {ERROR_INVALID_PARAMETER, "Invalid argument"},
    {ERROR_INVALID_HANDLE, "Bad file descriptor"},
    {ERROR_BROKEN_PIPE, "Broken pipe"},
    {ERROR_NO_DATA, "Broken pipe"},
    {ERROR_CRC, "Input/output error"},
    {ERROR_IO_DEVICE, "Input/output error"},
    {ERROR_NOT_READY, "No such device"},
};

// True for the names Windows gives to devices in every folder (CON, NUL, COM1, ...), with or
// without an extension and in any case: opening "nul.ini" opens the null device.
bool IsReservedDeviceName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\:");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) &&
           name[3] >= '1' && name[3] <= '9';
}

SaveResult Failure(const std::string& path, const std::string& what, DWORD error) {
    std::string reason = what;
    if (error != 0)
        reason += ": " + SystemErrorText(static_cast<int>(error));
    return {false, "cannot write \"" + path + "\": " + reason, reason};
}

// Reads the handle to its end or to one byte over maxBytes; 0 or a Win32 error code.
DWORD ReadAll(HANDLE handle, std::size_t maxBytes, std::string& bytes) {
    char chunk[65536];
    while (bytes.size() <= maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min(sizeof chunk, maxBytes + 1 - bytes.size()));
        DWORD got = 0;
        if (!::ReadFile(handle, chunk, want, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            // The writing end of a pipe has closed: the end of the input.
            return error == ERROR_BROKEN_PIPE ? 0 : error;
        }
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }
    return 0;
}

// Writes every byte; 0 or a Win32 error code.
DWORD WriteAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(handle, bytes.data(), want, &done, nullptr))
            return ::GetLastError();
        bytes.remove_prefix(done);
    }
    return 0;
}

// Where a replacement goes: the target with a link resolved and its folder.
struct Target {
    SaveResult refused; // not ok when the path cannot be replaced at all
    fs::path path;
    fs::path folder;
};

Target Examine(const std::string& requestedPath) {
    Target target;
    if (requestedPath.empty()) {
        target.refused = Failure(requestedPath, "no file name given", 0);
        return target;
    }
    if (IsReservedDeviceName(requestedPath)) {
        target.refused = Failure(requestedPath, "it names a device, not a file", 0);
        return target;
    }
    target.path = PathFromUtf8(requestedPath);
    std::error_code error;
    if (fs::is_symlink(target.path, error)) {
        // The file the link points at is replaced and the link stays; a dangling link is
        // replaced by the new file.
        if (fs::path real = fs::canonical(target.path, error); !error)
            target.path = real;
    }
    target.folder = target.path.parent_path();
    if (target.folder.empty())
        target.folder = ".";
    const DWORD attributes = ::GetFileAttributesW(target.path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        target.refused = Failure(requestedPath, "it is a folder", 0);
    // Windows keeps a read-only file; asked first, as not every file system's rename refuses.
    else if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        target.refused = Failure(requestedPath, "cannot replace it", ERROR_ACCESS_DENIED);
    else if (requestedPath.back() == '/' || requestedPath.back() == '\\')
        target.refused = Failure(requestedPath, "no file name given", 0);
    return target;
}

// Writes the bytes into a new file, flushes and closes it; on failure the file is gone and
// failure says why.
bool WriteAndFlush(HANDLE file, const fs::path& path, std::string_view bytes,
                   const std::string& requestedPath, SaveResult& failure) {
    DWORD error = WriteAll(file, bytes);
    std::string what = "write failed";
    // Synced before it counts as written: the rename must never expose a file whose bytes are
    // still only in the cache.
    if (error == 0 && !::FlushFileBuffers(file)) {
        error = ::GetLastError();
        what = "sync failed";
    }
    if (!::CloseHandle(file) && error == 0) {
        error = ::GetLastError();
        what = "write failed";
    }
    if (error == 0)
        return true;
    ::DeleteFileW(path.c_str());
    failure = Failure(requestedPath, what, error);
    return false;
}

// Creates a new temporary file in the target's folder and writes the bytes into it; on failure the
// temporary file is gone and failure says why.
bool WriteTemporary(const Target& target, const std::string& requestedPath, std::string_view bytes,
                    fs::path& tempPath, SaveResult& failure) {
    // Numbered through the whole process, so that a batch can hold many at once.
    static std::atomic<unsigned long> s_next{0};
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        // Short and hidden whatever the target's name, so a long name cannot make it too long.
        tempPath = target.folder / (".qx-save-" + std::to_string(::GetCurrentProcessId()) + "-" +
                                    std::to_string(s_next++) + ".tmp");
        file = ::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
        if (error != 0 && error != ERROR_FILE_EXISTS)
            break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        failure = Failure(requestedPath, "cannot create a temporary file beside it", error);
        return false;
    }
    return WriteAndFlush(file, tempPath, bytes, requestedPath, failure);
}

// Examines the target and writes the bytes into a flushed temporary file beside it.
SaveResult WriteBeside(const std::string& requestedPath, std::string_view bytes, Target& target,
                       fs::path& tempPath) {
    target = Examine(requestedPath);
    if (!target.refused)
        return target.refused;
    SaveResult failure;
    if (!WriteTemporary(target, requestedPath, bytes, tempPath, failure))
        return failure;
    return {};
}

SaveResult Rename(const fs::path& tempPath, const fs::path& targetPath,
                  const std::string& requestedPath) {
    if (::MoveFileExW(tempPath.c_str(), targetPath.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD error = ::GetLastError();
    ::DeleteFileW(tempPath.c_str());
    return Failure(requestedPath, "cannot replace it", error);
}

} // namespace

std::string SystemErrorText(int error) {
    for (const ErrorText& known : kErrorTexts)
        if (known.code == static_cast<DWORD>(error))
            return known.text;
    return "Windows error " + std::to_string(static_cast<DWORD>(error));
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                         std::string& bytes, FileKinds kinds) {
    bytes.clear();
    const bool regularOnly = kinds == FileKinds::RegularOnly;
    if (IsReservedDeviceName(path))
        return "not a regular file";
    const fs::path wide = PathFromUtf8(path);
    // Windows refuses to open a folder with "Permission denied"; Linux says what it is.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return regularOnly ? "not a regular file" : "Is a directory";
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SystemErrorText(static_cast<int>(::GetLastError()));
    if (regularOnly && ::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return "not a regular file";
    }
    const DWORD error = ReadAll(file, maxBytes, bytes);
    ::CloseHandle(file);
    if (error == 0)
        return std::nullopt;
    bytes.clear();
    return SystemErrorText(static_cast<int>(error));
}

std::optional<std::string> ReadStandardInput(std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // The handle is read as it is, bytes unchanged: no text mode turns CR LF into LF.
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE)
        return std::nullopt; // started without standard input: it is empty
    if (const DWORD error = ReadAll(input, maxBytes, bytes); error != 0) {
        bytes.clear();
        return SystemErrorText(static_cast<int>(error));
    }
    return std::nullopt;
}

SaveResult SaveFileAtomically(const std::string& requestedPath, std::string_view bytes) {
    Target target;
    fs::path tempPath;
    if (SaveResult written = WriteBeside(requestedPath, bytes, target, tempPath); !written)
        return written;
    return Rename(tempPath, target.path, requestedPath);
}

AtomicSaveBatch::~AtomicSaveBatch() {
    for (const Staged& staged : m_staged)
        if (!staged.temporary.empty())
            ::DeleteFileW(PathFromUtf8(staged.temporary).c_str());
    if (!m_hidden.empty()) {
        std::error_code ignored;
        fs::remove_all(PathFromUtf8(m_hidden), ignored);
    }
}

// Windows has no sync of a whole file system: each staged file is flushed as it is written.
SaveResult AtomicSaveBatch::Stage(const std::string& name, std::string_view bytes) {
    const std::string path = PathOf(name);
    if (!m_hidden.empty()) {
        // The hidden folder holds only this batch's files: there is nothing to examine or keep,
        // and the file is written under its own name; a device's name still opens the device.
        if (IsReservedDeviceName(path))
            return Failure(path, "it names a device, not a file", 0);
        const fs::path file = PathFromUtf8(m_hidden + "/" + name);
        const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return Failure(path, "cannot create it", ::GetLastError());
        if (SaveResult failure; !WriteAndFlush(handle, file, bytes, path, failure))
            return failure;
        m_staged.push_back({path, path, Utf8FromPath(file)});
        return {};
    }
    Target target;
    fs::path tempPath;
    if (SaveResult written = WriteBeside(path, bytes, target, tempPath); !written)
        return written;
    m_staged.push_back({path, Utf8FromPath(target.path), Utf8FromPath(tempPath)});
    return {};
}

std::vector<SaveResult> AtomicSaveBatch::CommitNewFolder() {
    std::vector<SaveResult> results;
    if (::MoveFileExW(PathFromUtf8(m_hidden).c_str(), PathFromUtf8(m_newFolder).c_str(), 0)) {
        results.resize(m_staged.size());
        m_hidden.clear();
    } else {
        // A folder of that name appeared meanwhile: each file replaces its namesake there.
        for (const Staged& staged : m_staged)
            results.push_back(Rename(PathFromUtf8(staged.temporary), PathFromUtf8(staged.target),
                                     staged.requested));
    }
    m_staged.clear();
    return results;
}

std::vector<SaveResult> AtomicSaveBatch::Commit() {
    if (!m_hidden.empty())
        return CommitNewFolder();
    std::vector<SaveResult> results;
    for (Staged& staged : m_staged) {
        results.push_back(
            Rename(PathFromUtf8(staged.temporary), PathFromUtf8(staged.target), staged.requested));
        staged.temporary.clear();
    }
    m_staged.clear();
    return results;
}
