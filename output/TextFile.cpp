// Buffered plain 8-bit text writer and comment marking.
#include "TextFile.h"

#include <algorithm>

CTextFileWrite::~CTextFileWrite() {
    try {
        Flush();
    } catch (const CFileException&) {
        // Nothing can be reported from a destructor; Close has already reported it on every path
        // that writes a file.
    }
}

void CTextFileWrite::Write(std::string_view text) {
    while (!text.empty()) {
        const std::size_t room = kBufferSize - m_used;
        const std::size_t take = std::min(room, text.size());
        std::copy_n(text.data(), take, m_buffer.data() + m_used);
        m_used += take;
        text.remove_prefix(take);
        if (m_used == kBufferSize)
            Flush();
    }
}

void CTextFileWrite::Rewind() {
    m_used = 0;
    m_file.Rewind();
}

void CTextFileWrite::Close() {
    Flush();
}

void CTextFileWrite::Flush() {
    if (m_used == 0)
        return;
    // Emptied first, so a failed write is not written a second time by the destructor.
    const std::size_t used = m_used;
    m_used = 0;
    m_file.Write(std::string_view(m_buffer.data(), used));
}

std::string MarkAsComments(std::string text) {
    std::size_t lf = text.find('\n', 1);
    while (lf != std::string::npos) {
        text.insert(lf + 1, "; ");
        lf = text.find('\n', lf + 3);
    }
    return text;
}
