// Whole input files through the file seam's one reader, so that a folder or an unreadable device
// fails with its reason instead of reading as empty.
#include "InputFile.h"

#include "FileSystem.h"
#include "MessageText.h"

namespace {

// Far more than any parameter or batch file; it stops an endless device such as /dev/zero, which
// would otherwise fill the memory.
constexpr std::size_t kInputFileMaxBytes = 256u * 1024 * 1024;

} // namespace

std::string InputName(const std::string& path) {
    return path == "-" ? std::string("standard input") : QuoteValue(path);
}

std::optional<std::string> ReadInputFile(const std::string& path, std::string& bytes) {
    std::optional<std::string> reason =
        path == "-" ? ReadStandardInput(kInputFileMaxBytes, bytes)
                    : ReadWholeFile(path, kInputFileMaxBytes, bytes, FileKinds::StreamsToo);
    if (!reason && bytes.size() > kInputFileMaxBytes)
        reason = "larger than 256 MiB";
    if (!reason)
        return std::nullopt;
    bytes.clear();
    return "cannot read " + InputName(path) + ": " + *reason;
}
