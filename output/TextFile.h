// Buffered plain 8-bit text writer over an open output file, as the settings writer uses it, and
// the comment marking of its text.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// A write or truncate that the file could not carry out; the save that ran into it fails.
class CFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open file the writer appends to. Rewind gives up everything written so far: the position
// goes back to the start and the file is cut to zero length, so what follows replaces it whole.
class COutputFile {
public:
    virtual ~COutputFile() = default;
    virtual void Write(std::string_view bytes) = 0; // throws CFileException
    virtual void Rewind() = 0;                      // throws CFileException
};

// An output file held in memory; the command line and the benchmarks build the settings file here
// before it goes to its destination.
class CMemoryOutputFile : public COutputFile {
public:
    void Write(std::string_view bytes) override { m_bytes.append(bytes); }
    void Rewind() override { m_bytes.clear(); }

    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

enum class TextEncoding {
    Plain8Bit, // each byte of a string reaches the file unchanged: no byte-order mark, no
               // translation
};

// Common part of the text file classes: the file the text goes to and its encoding.
class CTextFileBase {
public:
    CTextFileBase(COutputFile& file, TextEncoding encoding) : m_file(file), m_encoding(encoding) {}
    CTextFileBase(const CTextFileBase&) = delete;
    CTextFileBase& operator=(const CTextFileBase&) = delete;
    virtual ~CTextFileBase() = default;

    TextEncoding GetEncoding() const { return m_encoding; }

protected:
    COutputFile& m_file;
    TextEncoding m_encoding;
};

// Collects text in a 1024-byte buffer and hands it to the file whenever the buffer is full. The
// writer never owns the file: Close only writes out the buffer and leaves the file open.
class CTextFileWrite : public CTextFileBase {
public:
    static constexpr std::size_t kBufferSize = 1024;

    CTextFileWrite(COutputFile& file, TextEncoding encoding) : CTextFileBase(file, encoding) {}
    // Writes out what is still buffered; a failure here cannot be reported, so callers that need to
    // know call Close first.
    ~CTextFileWrite() override;

    void Write(std::string_view text);
    // Gives up the buffer and everything already in the file; the next Write starts a new file.
    void Rewind();
    void Close();

private:
    void Flush();

    std::array<char, kBufferSize> m_buffer{};
    std::size_t m_used = 0;
};

// Turns text into comment lines: scanning from its second character, "; " goes in right after
// every line feed, the last one included.
std::string MarkAsComments(std::string text);
