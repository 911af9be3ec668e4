// Reading a whole input file, or standard input when the name is "-".
#pragma once

#include <optional>
#include <string>

// Reads every byte of the file named, or of standard input for "-"; the reason, naming the file,
// when it cannot be read ("cannot read \"FILE\": No such file or directory").
std::optional<std::string> ReadInputFile(const std::string& path, std::string& bytes);

// How messages name the input: the quoted file name, or "standard input".
std::string InputName(const std::string& path);
