// A mode set from the --batch file: the whole file read, then the output layer's reader with the
// command line's layers.
#include "ModeSetFile.h"

#include "InputFile.h"
#include "ModeSetText.h"

std::variant<ModeSet, std::string> ReadModeSetFile(const std::string& path,
                                                   const ParameterArguments& arguments) {
    std::string bytes;
    if (std::optional<std::string> unreadable = ReadInputFile(path, bytes))
        return "option --batch: " + *unreadable;
    return ReadModeSetText(bytes, InputName(path), arguments.base,
                           [&arguments](ParameterSet set) { return arguments.Complete(set); });
}
