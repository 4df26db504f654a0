#include "cli/CheckCommand.h"

#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "generator/Checks.h"
#include "generator/GeneratorTexts.h"
#include "generator/Reports.h"
#include "platform/TextFile.h"

namespace Cli {

namespace {

// The remarks of loading and generating, in the window's words, then where the sections go.
QStringList checkRemarks(const Afl::ScriptCheck& check, const QStringList& lines)
{
    QStringList remarks = Afl::LoadRemarks(check.load);
    if (!check.load.accepted())
        return remarks;
    remarks += Afl::RemovalReport(check.copy.removedCalls);
    remarks += Afl::WarningReport(check.copy.riskyCalls);
    if (!check.copy.signalsFound()) {
        remarks += Afl::FailureRemarks(check.copy.noBuy);
        return remarks;
    }
    remarks += Afl::InsertionRemarks(check.copy);
    if (check.insertionLine == 0) {
        remarks.append(Texts::InsertAtEnd);
    } else {
        remarks.append(
            check.insertionColumn == 1
                ? Texts::InsertBeforeLine.arg(check.insertionLine)
                : Texts::InsertInLine.arg(check.insertionLine).arg(check.insertionColumn));
        remarks.append(lines.value(check.insertionLine - 1));
    }
    return remarks;
}

} // namespace

int runCheck(const QStringList& args, Console& console)
{
    QString path;
    bool showSignals = false;
    bool strict = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--show-signals")) {
            showSignals = true;
        } else if (arg == QLatin1String("--strict")) {
            strict = true;
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

    const Platform::ReadResult file = Platform::ReadTextFile(path);
    if (!file.ok && !file.refused && !file.error.isEmpty()) {
        console.error(Texts::ScriptNotRead.arg(path, file.error));
        return BadInput;
    }
    if (!file.ok || file.lines.isEmpty()) {
        console.error(Afl::Texts::NotLoaded + QStringLiteral("\r\n") + file.error);
        return BadInput;
    }
    const Afl::ScriptCheck check = Afl::CheckScript(file.lines, showSignals);
    console.lines(checkRemarks(check, file.lines));
    // The syntax errors where editors and CI jump to them; lines of the file as read.
    for (const Syntax::Diagnostic& d : check.load.syntaxErrors)
        console.line(Texts::DiagnosticAt.arg(path).arg(d.line).arg(d.column).arg(d.message));
    if (!check.load.accepted()) {
        console.error(Afl::Texts::PluginFound + QStringLiteral("\r\n") + Afl::Texts::NotEditable);
        return BadInput;
    }
    if (!check.copy.signalsFound() || (strict && !check.load.syntaxErrors.isEmpty()))
        return Failed;
    return Success;
}

} // namespace Cli
