#pragma once

namespace zorvik {

struct CommandLine;

// Runs `zorvik --print ...` in this process: no application object, no display, no settings. Results
// go to standard output, skipped folders, progress (on a terminal only) and the summary to standard
// error. Returns the exit status: 0 when a file was found, 1 when none was, 2 when a listed folder
// could not be searched or the output could not be written.
int runPrintMode(const CommandLine& commandLine);

} // namespace zorvik
