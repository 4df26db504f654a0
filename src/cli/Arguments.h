#pragma once
// The arguments of a sub-command: files in their places and options, "--name VALUE",
// "--name=VALUE" or a bare "--flag".

#include <optional>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Cli {

class Console;

struct OptionSpec
{
    QString name; ///< with its dashes: "--source"
    bool takesValue = true;
    bool repeatable = false;
};

struct Arguments
{
    /// The files, in the order given.
    QStringList files;
    /// The options given, each with its values in order (a flag with none).
    QHash<QString, QStringList> options;

    bool has(const QString& name) const { return options.contains(name); }
    /// The (first) value of an option; empty when it was not given.
    QString value(const QString& name) const { return options.value(name).value(0); }
    QStringList values(const QString& name) const { return options.value(name); }
};

/// Reads args against specs, expecting exactly `files` file arguments; prints the usage error
/// and gives nullopt on an unknown option, a missing or unexpected value, an option given
/// twice that may not be, a missing or extra file.
std::optional<Arguments> ParseArguments(const QStringList& args, const QList<OptionSpec>& specs,
                                        int files, Console& console);

} // namespace Cli
