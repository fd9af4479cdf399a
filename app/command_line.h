#pragma once

// What the program answers on the terminal, before any window or display is needed.

#include <QString>
#include <QStringList>
#include <optional>

namespace kf::app {

// The text of --help, naming the data folder in use.
QString helpText(const QString &dataFolder);
// The text of --version: the application name and version.
QString versionText();

// "--help" (or "-h") and "--version" print their text and give the exit status; any other
// command line gives nothing and the program starts.
std::optional<int> answerInformationRequest(int argc, char **argv);

} // namespace kf::app
