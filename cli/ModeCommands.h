// --register-table and --diff: a mode set (the --batch file) or two settings files compared and
// exported; each returns the exit status.
#pragma once

#include "CommandLine.h"

// The --batch file's modes as one C header at --register-table. Status 2 when the mode set is
// refused (one line names its line), 4 when no mode has a timing, 1 when a mode was left out or
// the header could not be written, else 0.
int WriteRegisterTable(const CliRequest& request);

// The parameters and registers that differ between the two --diff operands: settings files, or
// with --batch two mode names. Nothing is printed when they are equal (status 0); 1 when they
// differ; 2 for bad input, with one line on standard error.
int DiffModes(const CliRequest& request);

// The settings-file lines that switch from the first --switch mode of the --batch file to the
// second, on standard output in the second mode's output form and addressing. Status 2 for bad
// input, 4 when either mode's timing is n/a, 1 when the lines could not be written, else 0.
int PrintModeSwitch(const CliRequest& request);
