#include "cli/Arguments.h"

#include "cli/CliTexts.h"
#include "cli/Console.h"

#include <algorithm>

namespace Cli {

std::optional<Arguments> ParseArguments(const QStringList& args, const QList<OptionSpec>& specs,
                                        int files, Console& console)
{
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(u'-') || arg.size() == 1) {
            if (parsed.files.size() == files) {
                console.usageError(Texts::ExtraArgument.arg(arg));
                return std::nullopt;
            }
            parsed.files.append(arg);
            continue;
        }
        const qsizetype eq = arg.startsWith(QLatin1String("--")) ? arg.indexOf(u'=') : -1;
        const QString name = eq < 0 ? arg : arg.left(eq);
        const auto spec = std::find_if(specs.cbegin(), specs.cend(),
                                       [&name](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.cend()) {
            console.usageError(Texts::UnknownOption.arg(arg));
            return std::nullopt;
        }
        if (parsed.has(name) && !spec->repeatable) {
            console.usageError(Texts::RepeatedOption.arg(name));
            return std::nullopt;
        }
        QStringList& values = parsed.options[name];
        if (!spec->takesValue) {
            if (eq >= 0) {
                console.usageError(Texts::UnexpectedValue.arg(name));
                return std::nullopt;
            }
            continue;
        }
        QString value;
        if (eq >= 0)
            value = arg.mid(eq + 1);
        else if (i + 1 < args.size())
            value = args.at(++i);
        if (value.isEmpty()) {
            console.usageError(Texts::MissingValue.arg(name));
            return std::nullopt;
        }
        values.append(value);
    }
    if (parsed.files.size() < files) {
        console.usageError(Texts::MissingFile);
        return std::nullopt;
    }
    return parsed;
}

} // namespace Cli
