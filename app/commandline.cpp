#include "commandline.h"

#include "appinfo.h"

#include "platform/names.h"

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

CommandLine::CommandLine(int argc, char* argv[])
    : argv_(argv), original_(argv, argv + argc), texts_(platform::argumentTexts(argc, argv)) {
    applicationArgc = argc;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            applicationArgc = i;
            break;
        }
    }
    end_ = static_cast<std::size_t>(applicationArgc);
}

QStringList CommandLine::files() const {
    const QDir here = QDir::current();
    QStringList files;
    const auto add = [&](std::size_t i) {
        files << QDir::toNativeSeparators(
            here.absoluteFilePath(QString::fromStdU16String(texts_[i])));
    };
    // The application keeps the arguments it leaves in their order, in argv's first places:
    // each is found among the original ones in one walk.
    std::size_t at = 1;
    for (int i = 1; i < applicationArgc; ++i, ++at) {
        while (at < end_ && original_[at] != argv_[i])
            ++at;
        if (at == end_) break;
        if (!(argv_[i][0] == '-' && argv_[i][1] != '\0')) add(at); // a lone "-" is a name
    }
    // After "--" every argument is a name, another "--" and dashes included.
    for (std::size_t i = end_ + 1; i < original_.size(); ++i)
        add(i);
    return files;
}

} // namespace chronodex
