#pragma once
// The lists of the analysis unit: catalogue, derived lists, reserved names, tally.

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

namespace Lex {

class ScriptView;

/// One generated identifier and the name under which the generated code writes it.
struct ReservedName
{
    QString name;
    QString value;
};

/// A sorted, case-insensitive list of strings without duplicates, each with a count.
class CallTally
{
public:
    struct Entry
    {
        QString text;
        int count = 0;
    };
    /// Adds text unless present (ignoring case); returns its index.
    int add(const QString& text);
    void setCount(int index, int count);
    int indexOf(const QString& text) const;
    void clear() { m_entries.clear(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int size() const { return int(m_entries.size()); }
    const Entry& at(int index) const { return m_entries.at(index); }
    const QList<Entry>& entries() const { return m_entries; }

private:
    QList<Entry> m_entries;
};

/// The module-level lists of the analysis unit, owned by the main window. Each derived list
/// is built once on first use; RemovalList can gain and lose "PlotShapes".
class AnalysisContext
{
public:
    /// Copies the catalogue and builds RemovalList.
    AnalysisContext();

    const QStringList& functionCatalogue() const { return m_catalogue; }

    void BuildPluginList();
    void BuildRemovalList();
    void BuildWarningList();
    /// The derived lists; empty until built.
    const QStringList& pluginFunctions() const { return m_plugin.has_value() ? *m_plugin : m_none; }
    QStringList& removalList();
    const QStringList& warningList() const { return m_warning.has_value() ? *m_warning : m_none; }
    bool hasPluginList() const { return m_plugin.has_value(); }
    bool hasRemovalList() const { return m_removal.has_value(); }
    bool hasWarningList() const { return m_warning.has_value(); }

    /// With refill, puts back the 19 pairs (value = name); without, changes nothing.
    void ResetReservedNames(bool refill);
    /// Refills ReservedNames and appends a pair for each of extra (more generated names),
    /// then gives each value the suffix "_plug" while the view holds it as a whole word
    /// (comments and strings included); the view's word index answers. Returns the number of
    /// pairs, 19 without extra.
    int ResolveReservedNames(const ScriptView& view, const QStringList& extra = {});
    const QList<ReservedName>& reservedNames() const { return m_reserved; }

    CallTally& callTally() { return m_tally; }

    /// Frees every list.
    void ReleaseAnalysisLists();

private:
    QStringList m_catalogue;
    std::optional<QStringList> m_plugin;
    std::optional<QStringList> m_removal;
    std::optional<QStringList> m_warning;
    QList<ReservedName> m_reserved;
    CallTally m_tally;
    QStringList m_none;
};

} // namespace Lex
