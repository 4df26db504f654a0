#include "cli/CheckCommand.h"

#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/RemarkTexts.h"

namespace Cli {

namespace {

// The refusal remarks of a script that calls the plug-in, as the remarks view shows them.
QStringList refusalRemarks(const CheckReport& report)
{
    QStringList lines{QString(), RemarkTexts::PluginHeading};
    if (report.missingBuy)
        lines.append(RemarkTexts::MissingBuy);
    if (report.missingSell)
        lines.append(RemarkTexts::MissingSell);
    lines += report.pluginCalls;
    lines += {QString(), RemarkTexts::PluginRemove, QString(), RemarkTexts::NotEditable};
    return lines;
}

} // namespace

QStringList checkRemarks(const CheckReport& report)
{
    if (!report.accepted())
        return refusalRemarks(report);

    QStringList lines;
    if (report.missingBuy)
        lines.append(RemarkTexts::MissingBuy);
    if (report.missingSell)
        lines.append(RemarkTexts::MissingSell);
    lines += report.removalReport;
    lines += report.warningReport;
    if (report.signalsEnd < 0) {
        lines.append(report.signalsEnd == -1 ? RemarkTexts::NoBuyDefinition
                                             : RemarkTexts::NoSellDefinition);
        lines.append(RemarkTexts::CannotGenerate);
    } else if (report.line == 0) {
        lines.append(Texts::InsertAtEnd);
    } else {
        lines.append(report.column == 1 ? Texts::InsertBeforeLine.arg(report.line)
                                        : Texts::InsertInLine.arg(report.line).arg(report.column));
        lines.append(report.lineText);
    }
    return lines;
}

int runCheck(const QStringList& args, Console& console)
{
    QString path;
    bool showSignals = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--show-signals")) {
            showSignals = true;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            console.usageError(Texts::UnknownOption.arg(arg));
            return BadInput;
        } else if (path.isEmpty()) {
            path = arg;
        } else {
            console.usageError(Texts::ExtraArgument.arg(arg));
            return BadInput;
        }
    }
    if (path.isEmpty()) {
        console.usageError(Texts::MissingFile);
        return BadInput;
    }

    const CheckReport report = ScriptCheck::run(path, showSignals);
    if (!report.read) {
        if (report.readError.isEmpty() || report.readRefused)
            console.error(RemarkTexts::NotLoaded + QStringLiteral("\r\n") + report.readError);
        else
            console.error(Texts::ScriptNotRead.arg(path, report.readError));
        return BadInput;
    }
    console.lines(checkRemarks(report));
    if (!report.accepted()) {
        console.error(RemarkTexts::PluginFound + QStringLiteral("\r\n") + RemarkTexts::NotEditable);
        return BadInput;
    }
    return report.signalsEnd < 0 ? Failed : Success;
}

} // namespace Cli
