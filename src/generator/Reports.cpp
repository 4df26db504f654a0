#include "generator/Reports.h"

#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"

using namespace Qt::Literals::StringLiterals;

namespace Afl {

QStringList RemovalReport(const Lex::CallTally& tally)
{
    if (tally.isEmpty())
        return {};
    QStringList lines;
    lines << u"\r\nZ oryginalnego kodu usunięto wywołania następujących funkcji (liczba z prawej "
             u"pokazuje liczbę wywołań)"_s;
    for (const Lex::CallTally::Entry& entry : tally.entries())
        lines << entry.text + u" x"_s + QString::number(entry.count);
    lines << u"Funkcje te zostały usunięte z powodu wystąpienia potencjalnych kolizji z kodem "
             u"dodanym przez edytor."_s;
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
    lines << u"\r\nW kodzie AFL wykryto następujące wywołania:"_s;
    for (const Lex::CallTally::Entry& entry : tally.entries())
        lines << u"   "_s + entry.text;
    lines << u"Funkcje te mogą być potencjalnym źródłem błędnego działania kodu wynikowego."_s;
    return lines;
}

} // namespace Afl
