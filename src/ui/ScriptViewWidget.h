#pragma once
// Read-only view of a Lex::ScriptView: monospace text on the tooltip colour, formatted lazily.

#include "analysis/ScriptView.h"

#include <vector>

#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTimer>

namespace Shell {

/// Shows a ScriptView model. The text is re-set only when the model's text changed; a long
/// text goes into the document a part at a time, the first part at once and the rest as soon
/// as the event loop is idle. The model's attribute runs are applied block by block when a
/// block is first painted.
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

    /// Lines put into the document at once of a text that goes in a part at a time.
    static constexpr int FirstLines = 1000;
    /// Lines added at a time after them.
    static constexpr int LinesPerPart = 2000;
    /// Puts every line of the text not yet in the document into it.
    void finishLoading();

    /// The base font of the script views: Courier New 13 px or the nearest monospace font.
    static QFont scriptFont();
    /// The left margin of the text in pixels.
    static constexpr int LeftMargin = 20;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void reload();
    // Adds the next part of the text's lines to the document.
    void loadPart();
    // Lines [from, to) of the shown text, separated by LF.
    QString plainLines(int from, int to) const;
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
    int m_loadedLines = 0; // lines of the text in the document
    QTimer* m_loader = nullptr;
    QWidget* m_margin = nullptr;
};

} // namespace Shell
