// The command line's platform seam: arguments as UTF-8, standard streams that carry bytes
// unchanged, and whether standard error is a terminal.
#pragma once

#include <string>
#include <vector>

// The program's arguments as UTF-8 text, whatever the platform gives: on Windows they are read
// once from the wide command line, so that any file name reaches the file seam intact.
class Utf8Arguments {
public:
    Utf8Arguments(int argc, char** argv);
    int Count() const { return static_cast<int>(m_pointers.size()) - 1; }
    char** Values() { return m_pointers.data(); }

private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_pointers; // into m_arguments, ending with a null pointer
};

// Puts the standard streams in binary mode where there is a text mode (Windows), so that a
// settings file's CR LF reaches standard output as CR LF, not CR CR LF, and every message ends
// with LF as on Linux.
void UseBinaryStandardStreams();

// True when standard error is a terminal, where a progress line can be rewritten in place.
bool StandardErrorIsTerminal();
