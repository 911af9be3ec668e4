// Fuzzes reading a settings file back with arbitrary bytes: nothing is read past the buffer and
// nothing is thrown; a refused file gives no parameter and names a line of the file; and whatever
// is read restores a document whose saved file reads back to the same parameters.
#include "FuzzSupport.h"

#include "Parameters.h"
#include "RecordingPrompt.h"
#include "SettingsReader.h"
#include "SettingsWriter.h"
#include "WizardDoc.h"

#include <algorithm>
#include <memory>

namespace {

// Lines as the reader counts them: every LF ends one, and bytes after the last LF are one more.
int CountLines(std::string_view bytes) {
    const auto ends = std::count(bytes.begin(), bytes.end(), '\n');
    return static_cast<int>(ends) + (bytes.empty() || bytes.back() == '\n' ? 0 : 1);
}

// The plain settings file of a new document that took the parameters, after the forms'
// recalculation.
std::string SaveRestored(const ParameterSet& parameters) {
    CKXC2280RegisterWizardDoc doc;
    doc.OnNewDocument();
    ApplyImageFormDefaults(doc.m_Contexts[0]);
    ApplyGivenParameters(parameters, doc);
    Recalculate(doc, UserChange::ClockSettings);
    CMemoryOutputFile file;
    RecordingPrompt prompt(false);
    CArchive archive(CArchive::store, file, prompt);
    Serialize(doc, archive);
    return file.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A heap copy of exactly the input's size, so that AddressSanitizer sees any read past it also
    // when the replay program hands over a string with spare capacity.
    const std::unique_ptr<char[]> copy(new char[size == 0 ? 1 : size]);
    std::copy(data, data + size, copy.get());
    const std::string_view bytes(copy.get(), size);

    const SettingsFileReadResult result = ReadSettingsFile(bytes);
    FUZZ_CHECK(result.status != SettingsFileStatus::CannotOpen, "bytes need no opening");
    if (!result) {
        FUZZ_CHECK(result.parameters == ParameterSet{} && result.notes.empty(),
                   "a refused file gives nothing");
        FUZZ_CHECK(result.line >= 1 && result.line <= CountLines(bytes) + 1,
                   "the refusal names a line of the file, or the one after its end");
        FUZZ_CHECK(result.message.starts_with("Line " + std::to_string(result.line) + " "),
                   "the message names that line");
        return 0;
    }

    const ParameterSet& read = result.parameters;
    for (const char* key : {"bypassPll", "inputFreqMHz", "hwRev", "frameRate", "outputColumns",
                            "outputRows", "allowSkipping", "lowPower", "blankingMode", "outputAs"})
        FUZZ_CHECK(read.Given(IndexOf(*FindParameter(key))), "every file holds these");
    FUZZ_CHECK(!result.notes.empty() && result.notes[0] == kNoteVariableFrameRate,
               "the variable frame rate is always said to be kept");
    FUZZ_CHECK(read.Given(ParameterIndex("addressing")) ==
                   (read.Number(ParameterIndex("outputAs")) != 0),
               "the addressing is read exactly from the register form");

    const SettingsFileReadResult again = ReadSettingsFile(SaveRestored(read));
    FUZZ_CHECK(again.status == SettingsFileStatus::Read, "a saved file reads back");
    FUZZ_CHECK(again.parameters == read, "saving the restored document keeps the parameters");
    FUZZ_CHECK(again.notes == result.notes, "and says the same about what it lacks");
    return 0;
}
