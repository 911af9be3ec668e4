// The command line's platform seam on POSIX: arguments are bytes already, streams have no text
// mode.
#include "Console.h"

#include <unistd.h>

Utf8Arguments::Utf8Arguments(int argc, char** argv) : m_pointers(argv, argv + argc) {
    m_pointers.push_back(nullptr);
}

void UseBinaryStandardStreams() {}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}
