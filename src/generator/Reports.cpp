#include "generator/Reports.h"

#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"
#include "generator/GeneratorTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace Afl {

QStringList RemovalReport(const Lex::CallTally& tally)
{
    if (tally.isEmpty())
        return {};
    QStringList lines;
    lines << Texts::RemovalHeading;
    for (const Lex::CallTally::Entry& entry : tally.entries())
        lines << entry.text + u" x"_s + QString::number(entry.count);
    lines << Texts::RemovalReason;
    return lines;
}

void CollectWarnings(const Lex::ScriptView& view, Lex::AnalysisContext& context)
{
    context.BuildWarningList();
    Lex::CallTally& tally = context.callTally();
    tally.clear();
    const QStringList& names = context.warningList();
    const QList<bool> present = view.containsWords(names);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (present.at(i))
            tally.add(names.at(i));
    }
}

QStringList WarningReport(const Lex::CallTally& tally)
{
    if (tally.isEmpty())
        return {};
    QStringList lines;
    lines << Texts::WarningHeading;
    for (const Lex::CallTally::Entry& entry : tally.entries())
        lines << Texts::Indent + entry.text;
    lines << Texts::WarningReason;
    return lines;
}

QStringList FailureRemarks(bool noBuy)
{
    return {noBuy ? Texts::NoBuyDefinition : Texts::NoSellDefinition, Texts::CannotGenerate};
}

QString DiagnosticLine(const Syntax::Diagnostic& diagnostic)
{
    return Texts::DiagnosticLine.arg(diagnostic.line)
        .arg(diagnostic.column)
        .arg(diagnostic.message);
}

QStringList SyntaxRemarks(const QList<Syntax::Diagnostic>& diagnostics)
{
    if (diagnostics.isEmpty())
        return {};
    QStringList lines{Texts::SyntaxErrorsHeading};
    for (const Syntax::Diagnostic& diagnostic : diagnostics)
        lines << DiagnosticLine(diagnostic);
    return lines;
}

QStringList InsertionRemarks(const CopyAnalysis& copy)
{
    using Outcome = InsertionCheck::Outcome;
    switch (copy.insertion.outcome) {
    case Outcome::Passed:
        return {};
    case Outcome::SyntaxErrors:
        return {Texts::InsertionNotChecked};
    case Outcome::NoSignals:
        return {Texts::InsertionNoSignals};
    case Outcome::Moved:
        break;
    }
    QString reason;
    switch (copy.insertion.fault) {
    case InsertionFault::InCommentOrString:
        reason = Texts::MovedFromCommentOrString;
        break;
    case InsertionFault::InLoop:
        reason = Texts::MovedFromLoop;
        break;
    case InsertionFault::SplitsStatement:
        reason = Texts::MovedFromStatement;
        break;
    case InsertionFault::BeforeSignals:
    case InsertionFault::None:
        reason = Texts::MovedFromBeforeSignals;
        break;
    }
    return {Texts::SectionsMoved.arg(copy.movedAfterLine).arg(reason)};
}

QStringList OutputErrorRemarks(const Syntax::Diagnostic& diagnostic)
{
    return {Texts::OutputErrorHeading, DiagnosticLine(diagnostic), Texts::CannotGenerate};
}

} // namespace Afl
