// Child processes on Windows with captured output, chosen input and a limit on time.
#include "Process.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::wstring Wide(const std::string& utf8) {
    const std::u8string text(utf8.begin(), utf8.end());
    return fs::path(text).wstring();
}

// One argument quoted so that the child's CommandLineToArgvW gives it back unchanged: backslashes
// are literal except before a quote, where they and the quote are escaped.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

// A handle the child inherits; the capture files are removed when the last handle closes.
HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE handle =
        ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      &inherit, disposition, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open a file for a child process");
    return handle;
}

HANDLE CaptureFile() {
    static std::atomic<unsigned> s_next{0};
    const fs::path path =
        fs::temp_directory_path() /
        ("qx-test-out-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(s_next++));
    return Inheritable(path.wstring(), GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS,
                       FILE_FLAG_DELETE_ON_CLOSE);
}

std::string ReadAllFrom(HANDLE handle) {
    ::SetFilePointer(handle, 0, nullptr, FILE_BEGIN);
    std::string text;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(handle, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    return text;
}

// The parent's environment with the extra entries after it, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const std::vector<std::string>& extra) {
    std::wstring block;
    wchar_t* const inherited = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = inherited; *entry != L'\0'; entry += std::wcslen(entry) + 1)
        block.append(entry).push_back(L'\0');
    ::FreeEnvironmentStringsW(inherited);
    for (const std::string& entry : extra)
        block.append(Wide(entry)).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

} // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options) {
    if (options.fileSizeLimit >= 0)
        throw std::runtime_error("a limit on file size needs POSIX resource limits");
    const HANDLE out = options.stdoutPath.empty()
                           ? CaptureFile()
                           : Inheritable(Wide(options.stdoutPath), GENERIC_WRITE, OPEN_EXISTING, 0);
    const HANDLE err = CaptureFile();
    const HANDLE in = Inheritable(options.stdinPath.empty() ? L"NUL" : Wide(options.stdinPath),
                                  GENERIC_READ, OPEN_EXISTING, 0);

    std::wstring commandLine = Quoted(Wide(program));
    for (const std::string& arg : args)
        commandLine += L" " + Quoted(Wide(arg));
    std::wstring environment = EnvironmentBlock(options.env);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION child{};
    ProcessResult result;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                         CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                         &child)) {
        // A hanging child is ended and the test fails instead of hanging.
        if (::WaitForSingleObject(child.hProcess, options.timeLimitSeconds * 1000) !=
            WAIT_OBJECT_0) {
            ::TerminateProcess(child.hProcess, 1);
            ::WaitForSingleObject(child.hProcess, INFINITE);
        } else if (DWORD code = 0; ::GetExitCodeProcess(child.hProcess, &code)) {
            result.status = static_cast<int>(code);
        }
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
    }
    if (options.stdoutPath.empty())
        result.out = ReadAllFrom(out);
    result.err = ReadAllFrom(err);
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    return result;
}
