// Shared by the fuzz harnesses: reading typed values from the fuzzer's bytes, and checks that
// abort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// An invariant the harness proves for every input; a broken one aborts, which libFuzzer reports as
// a crash with the input saved and the replay program reports as a failed test.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", __FILE__, __LINE__, #condition, \
                         what);                                                                    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Consumes the fuzzer's bytes front to back; past the end every value reads as zero, so any input,
// however short, describes a complete case.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Remaining() const { return m_size; }

    template <typename T> T Raw() {
        static_assert(std::is_trivially_copyable_v<T>);
        unsigned char bytes[sizeof(T)] = {};
        const std::size_t take = m_size < sizeof(T) ? m_size : sizeof(T);
        if (take > 0)
            std::memcpy(bytes, m_data, take);
        m_data += take;
        m_size -= take;
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    std::uint8_t Byte() { return Raw<std::uint8_t>(); }

    // A selector byte below 0x80 picks one of the given values (so the interesting ones are
    // reached at once); any other byte is followed by the raw bytes of the value.
    template <typename T, std::size_t N> T Pick(const T (&interesting)[N]) {
        const std::uint8_t selector = Byte();
        if (selector < 0x80)
            return interesting[selector % N];
        return Raw<T>();
    }

    // Up to maxBytes bytes, up to and without the next NUL; the NUL is consumed.
    std::string Text(std::size_t maxBytes) {
        std::string text;
        while (m_size > 0 && text.size() < maxBytes) {
            const char c = static_cast<char>(*m_data++);
            --m_size;
            if (c == '\0')
                break;
            text += c;
        }
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// Lines of a CR LF text: each "\r\n" ends a line; text after the last one is a last line. A lone
// CR or LF stays inside its line.
inline void ForEachCrLfLine(std::string_view text, auto&& visit) {
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        visit(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 2);
    }
}
