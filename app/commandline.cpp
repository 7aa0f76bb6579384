#include "commandline.h"

#include "appinfo.h"
#include "fspath.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstring>

namespace chronodex {
namespace {

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Shows and sets the dates a file was created, last modified and last "
                       "accessed.\nThe files named are listed as if they were dropped on the "
                       "window."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Files or folders to list."),
                                 QStringLiteral("[FILE...]"));
}

void nameTheApplication() {
    const VersionInfo version = currentVersion();
    QCoreApplication::setApplicationName(version.productName);
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    // Options it does not know may be Qt's own (-platform, -style): those are judged once
    // the application has taken Qt's options out (checkCommandLine).
    parser.parse(arguments);
    if (!parser.isSet(QStringLiteral("help")) && !parser.isSet(QStringLiteral("version")) &&
        !parser.isSet(QStringLiteral("help-all")))
        return std::nullopt;
    // Printing help or the version needs the application's name and version, not a display:
    // a plain core application serves, and process() prints and exits.
    QCoreApplication core(argc, argv);
    nameTheApplication();
    parser.process(core);
    return 0; // not reached: process() exits for help and version
}

void checkCommandLine(const QCoreApplication& app) {
    nameTheApplication();
    QCommandLineParser parser;
    describe(parser);
    parser.process(app); // an unknown option: the error on standard error, and exit 1
}

QStringList commandLineFiles(int argc, char* argv[], const QStringList& arguments) {
    QStringList files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') continue;
        files << QDir::toNativeSeparators(
            QDir::current().absoluteFilePath(fromArgument(arg, arguments.value(i))));
    }
    return files;
}

} // namespace chronodex
