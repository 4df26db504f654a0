#include "generator/Reports.h"

#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"
#include "generator/RemarkTexts.h"

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

} // namespace Afl
