// Buffered text writer: buffer size, whole strings, truncating rewind, close and failures.
#include "TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An output file that keeps each write separately and can be told to fail.
class ChunkFile : public COutputFile {
public:
    void Write(std::string_view bytes) override {
        if (failWrites)
            throw CFileException("disk full");
        chunks.emplace_back(bytes);
    }
    void Rewind() override {
        chunks.clear();
        ++rewinds;
    }
    std::string Bytes() const {
        std::string all;
        for (const std::string& chunk : chunks)
            all += chunk;
        return all;
    }

    std::vector<std::string> chunks;
    int rewinds = 0;
    bool failWrites = false;
};

TEST(TextFileWrite, KeepsTextInItsBufferUntilClose) {
    ChunkFile file;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write("REG = 0x0010, 0x0366\r\n");
    EXPECT_TRUE(file.chunks.empty());
    writer.Close();
    EXPECT_EQ(file.Bytes(), "REG = 0x0010, 0x0366\r\n");
}

TEST(TextFileWrite, HandsOverTheBufferEach1024Bytes) {
    ChunkFile file;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write(std::string(1023, 'a'));
    EXPECT_TRUE(file.chunks.empty());
    writer.Write("b");
    ASSERT_EQ(file.chunks.size(), 1u);
    EXPECT_EQ(file.chunks[0].size(), 1024u);
}

TEST(TextFileWrite, WritesAStringLongerThanTheBufferWhole) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += static_cast<char>('0' + i % 10);
    ChunkFile file;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write("x");
    writer.Write(text);
    writer.Close();
    EXPECT_EQ(file.Bytes(), "x" + text);
    EXPECT_EQ(file.chunks.size(), 3u); // 1024 + 1024 + 953
}

TEST(TextFileWrite, CopiesEveryByteUnchanged) {
    const std::string bytes("\xEF\xBB\xBF\r\n\n\0\xFF end", 11);
    ChunkFile file;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write(bytes);
    writer.Close();
    EXPECT_EQ(file.Bytes(), bytes);
}

// A rewind after more bytes than the replacement holds must not leave the old tail behind.
TEST(TextFileWrite, RewindGivesUpEverythingWrittenBefore) {
    CMemoryOutputFile file;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write(std::string(5000, 'x'));
    writer.Rewind();
    writer.Write("plain\r\n");
    writer.Close();
    EXPECT_EQ(file.Bytes(), "plain\r\n");
}

TEST(TextFileWrite, RewindDropsTextStillInTheBuffer) {
    ChunkFile file;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write("; header\r\n");
    writer.Rewind();
    writer.Close();
    EXPECT_EQ(file.rewinds, 1);
    EXPECT_EQ(file.Bytes(), "");
}

TEST(TextFileWrite, DestructionWritesOutTheBuffer) {
    ChunkFile file;
    {
        CTextFileWrite writer(file, TextEncoding::Plain8Bit);
        writer.Write("tail");
    }
    EXPECT_EQ(file.Bytes(), "tail");
}

TEST(TextFileWrite, CloseReportsAFailingFile) {
    ChunkFile file;
    file.failWrites = true;
    CTextFileWrite writer(file, TextEncoding::Plain8Bit);
    writer.Write("text");
    EXPECT_THROW(writer.Close(), CFileException);
}

TEST(TextFileWrite, DestructionOfAWriterOverAFailingFileDoesNotThrow) {
    ChunkFile file;
    file.failWrites = true;
    EXPECT_NO_THROW({
        CTextFileWrite writer(file, TextEncoding::Plain8Bit);
        writer.Write("text");
    });
}

} // namespace
