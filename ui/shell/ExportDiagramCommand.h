// qx7r310-wizard --export-diagram FILE [PARAMETERS...]: the timing diagram written without a
// window, the parameters taken by the command-line wizard's own parser.
#pragma once

#include <string>

// Whether the command line asks for the export (--export-diagram before any "--").
bool AsksForDiagramExport(int argc, const char* const* argv);

// The help lines of --export-diagram and of the parameters it takes, for the program's --help.
std::string DiagramExportHelp();

// Runs the export: exit status 0 when the file was written, 1 when it could not be, 2 for a bad
// command line or parameter file (one line on standard error; nothing is written). Starts the
// GUI application itself, on the offscreen platform when there is no display, and needs none
// before.
int ExportDiagramCommand(int argc, char** argv);
