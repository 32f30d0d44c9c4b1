#pragma once

// What the commands of varnoki-cli share: the command table entry, exit codes, output helpers.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "download/program_image.h"

namespace varnoki::cli {

enum ExitCode : int {
    kSuccess = 0,
    kFailed = 1,    // the work itself failed: a transfer, a file that could not be written
    kBadUsage = 2,  // wrong arguments or unusable input
};

// `args` holds the command's name first, then its arguments.
using CommandFunction = int (*)(const QStringList& args);

struct Command {
    const char* name;
    const char* usage;    // arguments after the name
    const char* summary;  // one line, UTF-8
    CommandFunction run;
};

// One per command, each in its own command_*.cpp.
int RunImage(const QStringList& args);
int RunDownload(const QStringList& args);
int RunPorts(const QStringList& args);
int RunGenerate(const QStringList& args);
int RunConvert(const QStringList& args);
int RunCheck(const QStringList& args);

const Command* FindCommand(const QString& name);

// UTF-8 lines on standard output and standard error.
void PrintOut(const QString& line);
void PrintError(const QString& line);

// Parses the command's arguments. Returns an exit code when the command should end now: after its
// help (kSuccess) or after a usage error has been printed (kBadUsage).
std::optional<int> ParseArguments(QCommandLineParser& parser, const QStringList& args);
// Prints `message` and the command's usage; returns kBadUsage.
int BadUsage(const QString& command, const QString& message);

// Lists lines left out of an image as "FILE:LINE: reason: text" on standard error.
void PrintDroppedLines(const QString& fileName, const std::vector<download::DroppedLine>& dropped);

}  // namespace varnoki::cli
