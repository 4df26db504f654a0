#pragma once
// Read-only view of a Lex::ScriptView: monospace text on the tooltip colour, formatted lazily.

#include "analysis/ScriptView.h"

#include <vector>

#include <QPlainTextEdit>
#include <QTextCharFormat>

namespace Shell {

/// Shows a ScriptView model. The text is re-set only when the model's text changed; the
/// model's attribute runs are applied block by block when a block is first painted.
class ScriptViewWidget : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ScriptViewWidget(const QString& name, QWidget* parent = nullptr);

    /// The model shown; the widget does not own it.
    void setModel(const Lex::ScriptView* model);
    const Lex::ScriptView* model() const { return m_model; }
    /// Re-reads the model when its revision changed since the last call.
    void refresh();

    /// The character format the view draws at position pos of the model's text (CR LF
    /// counted as two); formats that block first when it was not yet painted.
    QTextCharFormat formatAt(int pos);

    /// The base font of the script views: Courier New 13 px or the nearest monospace font.
    static QFont scriptFont();
    /// The left margin of the text in pixels.
    static constexpr int LeftMargin = 20;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void reload();
    void invalidateFormats();
    /// Applies the model's runs to block number n; returns true when its formats changed.
    bool formatBlock(const QTextBlock& block);
    void formatVisibleBlocks();
    QTextCharFormat charFormat(const Lex::Run& run) const;
    int blockNumberAt(int pos) const;

    const Lex::ScriptView* m_model = nullptr;
    quint64 m_revision = ~quint64(0);
    QString m_shownText;
    std::vector<int> m_lineStarts;
    std::vector<bool> m_formatted;
    QWidget* m_margin = nullptr;
};

} // namespace Shell
