// The hand-written settings file of a new document with the forms' defaults, and the documents
// the settings output tests start from.
#include "GoldenFile.h"

#include "Parameters.h"
#include "ScratchFolder.h"
#include "Version.h"

#include <gtest/gtest.h>

CKXC2280RegisterWizardDoc NewDocument() {
    CKXC2280RegisterWizardDoc doc;
    doc.OnNewDocument();
    ApplyImageFormDefaults(doc.m_Contexts[0]);
    return doc;
}

void Recalculate(CKXC2280RegisterWizardDoc& doc) {
    Recalculate(doc, UserChange::ClockSettings);
}

CKXC2280RegisterWizardDoc DefaultDocument() {
    CKXC2280RegisterWizardDoc doc;
    doc.OnNewDocument();
    ApplyParameters(DefaultParameters(), doc);
    Recalculate(doc, UserChange::ClockSettings);
    return doc;
}

std::string ExpectedDefaultFile() {
    std::string expected = ReadBytes(QX_OUTPUT_TEST_DATA "/default_settings.ini");
    const std::string placeholder = "@VERSION@";
    const std::size_t at = expected.find(placeholder);
    EXPECT_NE(at, std::string::npos);
    return expected.replace(at, placeholder.size(), GetVersionText());
}

std::string GoldenRegisterLines(const std::string& header) {
    const std::string file = ReadBytes(QX_OUTPUT_TEST_DATA "/default_settings.ini");
    std::string lines;
    std::size_t at = file.find(header + "\r\n");
    EXPECT_NE(at, std::string::npos) << header;
    for (at += header.size() + 2; at < file.size() && file[at] != '[';) {
        const std::size_t end = file.find("\r\n", at) + 2;
        if (file.compare(at, 6, "REG = ") == 0)
            lines += file.substr(at, end - at);
        at = end;
    }
    return lines;
}
