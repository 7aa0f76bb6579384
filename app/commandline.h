// The command line: `chronodex [FILE...]`, with --help and --version read before any window
// is made, so that both work without a display.
#pragma once

#include <QStringList>

#include <optional>

class QCoreApplication;

namespace chronodex {

// Reads the options before any window is made. For --help and --version it prints what a
// command-line program prints and gives the exit status; otherwise nothing, and the program
// goes on to its window.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// Names the application and checks the options left once Qt took its own: an option the
// program does not know ends it with an error, as command-line programs do.
void checkCommandLine(const QCoreApplication& app);

// The files named on a command line, as absolute paths in the program's form: each name
// exactly as the system gave it. `argv` is what the program got once Qt took its own options
// out, `arguments` the same as Qt read it (QCoreApplication::arguments()).
QStringList commandLineFiles(int argc, char* argv[], const QStringList& arguments);

} // namespace chronodex
