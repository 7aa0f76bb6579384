// The command line: `chronodex [FILE...]`, with --help and --version read before any window
// is made, so that both work without a display.
#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QCoreApplication;

namespace chronodex {

// Reads the options before any window is made. For --help and --version it prints what a
// command-line program prints and gives the exit status; otherwise nothing, and the program
// goes on to its window.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// Names the application and checks the options left once Qt took its own: an option the
// program does not know ends it with an error, as command-line programs do.
void checkCommandLine(const QCoreApplication& app);

// The command line split where the files begin. The application reads Qt's own options
// (-platform, -reverse, -style...) from the arguments before "--" alone, so that everything
// after it reaches the program as a file, never as an option of Qt's or of the program's.
class CommandLine {
  public:
    // `argc` and `argv` as main got them, before the application is made.
    CommandLine(int argc, char* argv[]);

    // How many of argv's first arguments the application is given: those before "--". The
    // application takes its own options out of them and lowers the count.
    int applicationArgc = 0;

    // The files named, as absolute paths in the program's form, each exactly as the system
    // gave it: the arguments before "--" that the application left and that are not options,
    // then every argument after it.
    QStringList files() const;

  private:
    char** argv_;
    std::vector<const char*> original_; // argv as main got it
    std::vector<std::u16string> texts_; // the same as the program's text
    std::size_t end_ = 0;               // where "--" is, or the number of arguments
};

} // namespace chronodex
