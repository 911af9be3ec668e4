// --batch: the settings of several camera modes in one run, one settings file (or one JSON line)
// per line of a JSON Lines file.
#pragma once

#include "CommandLine.h"

// Runs every line of the request's batch file. A bad line is reported on standard error with its
// line number and written nowhere; the others go on. Returns the exit status: 2 when the batch
// file cannot be read, 1 when a line or a write failed, 3 when only standard INI splices failed,
// else 0.
int RunBatch(const CliRequest& request);
