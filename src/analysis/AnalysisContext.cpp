#include "analysis/AnalysisContext.h"

#include "analysis/Catalogue.h"
#include "analysis/ScriptView.h"

#include <algorithm>
#include <array>

namespace Lex {

namespace {

constexpr std::array<const char16_t*, 19> ReservedIdentifiers = {
    u"symbol",     u"chartID",  u"svInit", u"svCanBuy", u"svCanSell", u"svIdBuy", u"svIdSell",
    u"svPrevTime", u"isNewBar", u"newBar", u"mBuy",     u"mSell",     u"idBuy",   u"idSell",
    u"pozycje",    u"liczba",   u"cena",   u"getLimit", u"getLimAkt",
};

const QString Suffix = QStringLiteral("_plug");

QStringList linesContaining(const QStringList& catalogue, QChar marker)
{
    QStringList names;
    for (const QString& line : catalogue) {
        if (line.contains(marker))
            names.append(CatalogueName(line));
    }
    return names;
}

bool lessIgnoringCase(const CallTally::Entry& entry, const QString& text)
{
    return QString::compare(entry.text, text, Qt::CaseInsensitive) < 0;
}

} // namespace

int CallTally::add(const QString& text)
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), text, lessIgnoringCase);
    const int index = int(it - m_entries.begin());
    if (it != m_entries.end() && QString::compare(it->text, text, Qt::CaseInsensitive) == 0)
        return index;
    m_entries.insert(index, Entry{text, 0});
    return index;
}

void CallTally::setCount(int index, int count)
{
    if (index >= 0 && index < m_entries.size())
        m_entries[index].count = count;
}

int CallTally::indexOf(const QString& text) const
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), text, lessIgnoringCase);
    if (it != m_entries.end() && QString::compare(it->text, text, Qt::CaseInsensitive) == 0)
        return int(it - m_entries.begin());
    return -1;
}

AnalysisContext::AnalysisContext()
    : m_catalogue(FunctionCatalogueLines())
{
    BuildRemovalList();
}

void AnalysisContext::BuildPluginList()
{
    if (!m_plugin)
        m_plugin = linesContaining(m_catalogue, u'$');
}

void AnalysisContext::BuildRemovalList()
{
    if (!m_removal)
        m_removal = linesContaining(m_catalogue, u'-');
}

void AnalysisContext::BuildWarningList()
{
    if (!m_warning)
        m_warning = linesContaining(m_catalogue, u'?');
}

QStringList& AnalysisContext::removalList()
{
    BuildRemovalList();
    return *m_removal;
}

void AnalysisContext::ResetReservedNames(bool refill)
{
    if (!refill)
        return;
    m_reserved.clear();
    for (const char16_t* name : ReservedIdentifiers) {
        const QString text = QString::fromUtf16(name);
        m_reserved.append(ReservedName{text, text});
    }
}

int AnalysisContext::ResolveReservedNames(const ScriptView& view, const QStringList& extra)
{
    ResetReservedNames(true);
    for (const QString& name : extra)
        m_reserved.append(ReservedName{name, name});
    for (ReservedName& pair : m_reserved) {
        while (view.findWord(pair.value, 0, view.length()) >= 0)
            pair.value += Suffix;
    }
    return int(m_reserved.size());
}

void AnalysisContext::ReleaseAnalysisLists()
{
    m_plugin.reset();
    m_removal.reset();
    m_warning.reset();
    m_reserved.clear();
    m_tally.clear();
}

} // namespace Lex
