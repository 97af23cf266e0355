// The program as a process: its standard descriptors, signals and working
// folder, set up before the run. Kept apart from the run itself, which
// other programs and tests start in process.
#pragma once

#include <istream>
#include <ostream>

namespace gemi {

// Opens /dev/null under every one of descriptors 0, 1 and 2 that is closed,
// before any file is opened, so that no file of the run takes the place of
// standard output (the console text would be written into it). Returns the
// closed descriptors as bits (1 << fd), or -1 when one could not be opened.
int openStandardDescriptors();

// A write to a pipe nobody reads fails as a write (the console check sees
// it) instead of ending the process without a word.
void ignoreBrokenPipe();

// Runs the program in the folder the process was started in. A folder that
// is gone (deleted while it was the working folder) is reported like any
// other folder fault.
int runInStartFolder(std::istream& consoleIn, std::ostream& consoleOut);

}  // namespace gemi
