// Checking a standard INI file for its sections and tags, and splicing the settings into it.
#include "StandardIni.h"

#include "FileSystem.h"

#include "TextFile.h"
#include "WizardDoc.h"

namespace {

bool Contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

// Reads and drops lines up to the first tag line and writes that one; false at the end of the
// file.
bool SkipBodyToTag(CStandardIniFile& file, CTextFileWrite& writer) {
    std::string line;
    while (file.ReadString(line)) {
        if (Contains(line, kIniKeepTag)) {
            writer.Write(line);
            writer.Write("\r\n");
            return true;
        }
    }
    return false;
}

// Writes a section's header line, its marked comment text and its register lines.
void WriteSectionTop(CTextFileWrite& writer, std::string_view header, const std::string& comments,
                     const std::string& lines) {
    writer.Write(header);
    writer.Write("\r\n");
    writer.Write(MarkAsComments(comments));
    writer.Write("\r\n");
    writer.Write(lines);
    writer.Write("\r\n");
}

} // namespace

bool CStandardIniFile::Open(const std::string& path) {
    Close();
    // A standard INI file is a few kilobytes; the cap only stops a file that is something else.
    constexpr std::size_t kStandardIniMaxBytes = 64u * 1024 * 1024;
    if (ReadWholeFile(path, kStandardIniMaxBytes, m_text) || m_text.size() > kStandardIniMaxBytes) {
        Close();
        return false;
    }
    return true;
}

bool CStandardIniFile::ReadString(std::string& line) {
    if (m_next >= m_text.size())
        return false;
    const std::size_t lf = m_text.find('\n', m_next);
    const std::size_t end = lf == std::string::npos ? m_text.size() : lf;
    std::size_t stop = end;
    // Text mode: a CR LF pair ends the line like a lone LF.
    if (lf != std::string::npos && stop > m_next && m_text[stop - 1] == '\r')
        --stop;
    line.assign(m_text, m_next, stop - m_next);
    m_next = lf == std::string::npos ? m_text.size() : lf + 1;
    return true;
}

void CStandardIniFile::Close() {
    m_text.clear();
    m_next = 0;
}

bool CheckStandardIni(CStandardIniFile& file, IWizardPrompt& prompt) {
    bool pllFound = false;
    bool timingFound = false;
    std::string line;
    if (!file.ReadString(line)) {
        prompt.MessageBoxOk(kMsgMissingSections);
        return false;
    }
    do {
        if (Contains(line, kIniPllHeader)) {
            // The body must close with its tag before the timing section starts.
            for (;;) {
                if (!file.ReadString(line) || Contains(line, kIniTimingHeader)) {
                    prompt.MessageBoxOk(kMsgMissingPllTag);
                    return false;
                }
                if (Contains(line, kIniKeepTag))
                    break;
            }
            pllFound = true;
        } else if (Contains(line, kIniTimingHeader)) {
            for (;;) {
                if (!file.ReadString(line)) {
                    prompt.MessageBoxOk(kMsgMissingTimingTag);
                    return false;
                }
                if (Contains(line, kIniKeepTag))
                    break;
            }
            timingFound = true;
        }
    } while (file.ReadString(line));

    if (pllFound && timingFound)
        return true;
    if (pllFound)
        prompt.MessageBoxOk(kMsgMissingTimingSection);
    else if (timingFound)
        prompt.MessageBoxOk(kMsgMissingPllSection);
    else
        prompt.MessageBoxOk(kMsgMissingSections);
    return false;
}

bool MergeStandardIni(const CKXC2280RegisterWizardDoc& doc, CTextFileWrite& writer,
                      IWizardPrompt& prompt) {
    CStandardIniFile file;
    if (!file.Open(doc.m_strStandardIniPath)) {
        prompt.MessageBoxOk(kMsgCannotOpenStandardIni);
        return false;
    }
    if (!CheckStandardIni(file, prompt))
        return false;

    const CImageContext& context = doc.m_Contexts[0];
    file.SeekToBegin();
    std::string line;
    while (file.ReadString(line)) {
        if (Contains(line, kIniPllHeader)) {
            WriteSectionTop(writer, line, "\r\n" + doc.m_strClockSummary + doc.m_strClockReport,
                            doc.m_strIniPllSection);
            if (!SkipBodyToTag(file, writer))
                return false;
        } else if (Contains(line, kIniTimingHeader)) {
            WriteSectionTop(writer, line,
                            "\r\n" + context.m_strTimingSummary + context.m_strTimingReport +
                                "\r\n\r\n",
                            doc.m_strIniTimingSection);
            if (!SkipBodyToTag(file, writer))
                return false;
        } else if (Contains(line, kIniLoadPllSetup)) {
            // The original LOAD line stays behind the new one as a comment.
            writer.Write("LOAD= PLL_settings\r\n//");
            writer.Write(line);
            writer.Write("\r\n");
        } else {
            writer.Write(line);
            writer.Write("\r\n");
        }
    }
    return true;
}
