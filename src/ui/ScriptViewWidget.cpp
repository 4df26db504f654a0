#include "ui/ScriptViewWidget.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace Shell {

namespace {

QColor toQColor(Lex::Colour colour)
{
    return QColor(int((colour >> 16) & 0xff), int((colour >> 8) & 0xff), int(colour & 0xff));
}

} // namespace

ScriptViewWidget::ScriptViewWidget(const QString& name, QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(name);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(scriptFont());

    QPalette pal = palette();
    const QColor background = pal.color(QPalette::ToolTipBase);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, background);
        pal.setColor(group, QPalette::Text, Qt::black);
    }
    setPalette(pal);

    // The margin strip left of the text has the text's background, as in a rich edit.
    m_margin = new QWidget(this);
    m_margin->setAutoFillBackground(true);
    QPalette marginPalette = m_margin->palette();
    marginPalette.setColor(QPalette::Window, background);
    m_margin->setPalette(marginPalette);
    setViewportMargins(LeftMargin, 0, 0, 0);

    // The view is read-only: nothing to undo, and the parts added later record nothing.
    document()->setUndoRedoEnabled(false);
    m_loader = new QTimer(this);
    m_loader->setSingleShot(true);
    m_loader->setInterval(0);
    connect(m_loader, &QTimer::timeout, this, &ScriptViewWidget::loadPart);
}

QFont ScriptViewWidget::scriptFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(13);
    if (!QFontInfo(font).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPixelSize(13);
        return fixed;
    }
    return font;
}

void ScriptViewWidget::setModel(const Lex::ScriptView* model)
{
    m_model = model;
    m_revision = ~quint64(0);
    refresh();
}

void ScriptViewWidget::refresh()
{
    if (!m_model) {
        if (!m_shownText.isEmpty() || !m_lineStarts.empty()) {
            m_loader->stop();
            m_shownText.clear();
            m_lineStarts.clear();
            m_formatted.clear();
            m_loadedLines = 0;
            clear();
        }
        return;
    }
    if (m_model->revision() == m_revision)
        return;
    m_revision = m_model->revision();
    const QString& text = m_model->text();
    // An untouched QString keeps its data; only a changed text is handed to the document.
    const bool sameText =
        (text.constData() == m_shownText.constData() && text.size() == m_shownText.size()) ||
        text == m_shownText;
    if (sameText && !m_lineStarts.empty())
        invalidateFormats();
    else
        reload();
}

void ScriptViewWidget::reload()
{
    m_shownText = m_model->text();
    m_lineStarts.clear();
    m_lineStarts.push_back(0);
    const int n = int(m_shownText.size());
    const QChar* data = m_shownText.constData();
    for (int i = 0; i + 1 < n; ++i) {
        if (data[i] == u'\r' && data[i + 1] == u'\n') {
            m_lineStarts.push_back(i + 2);
            ++i;
        }
    }
    const int lines = int(m_lineStarts.size());
    m_loadedLines = std::min(lines, FirstLines);
    m_loader->stop();
    setPlainText(plainLines(0, m_loadedLines));
    m_formatted.assign(m_lineStarts.size(), false);
    // A shown view paints its first part before the rest goes in.
    if (m_loadedLines < lines && !isVisible())
        m_loader->start();
    viewport()->update();
}

QString ScriptViewWidget::plainLines(int from, int to) const
{
    // A line ends where the next starts, less its CR LF; the last ends with the text.
    const auto lineEnd = [this](int line) {
        return line + 1 < int(m_lineStarts.size()) ? m_lineStarts[std::size_t(line) + 1] - 2
                                                   : int(m_shownText.size());
    };
    const int start = m_lineStarts[std::size_t(from)];
    QString plain;
    plain.reserve(lineEnd(to - 1) - start);
    for (int line = from; line < to; ++line) {
        if (line > from)
            plain += u'\n';
        const int begin = m_lineStarts[std::size_t(line)];
        plain += QStringView(m_shownText).mid(begin, lineEnd(line) - begin);
    }
    return plain;
}

void ScriptViewWidget::loadPart()
{
    const int lines = int(m_lineStarts.size());
    if (!m_model || m_loadedLines >= lines)
        return;
    const int to = std::min(lines, m_loadedLines + LinesPerPart);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(u'\n' + plainLines(m_loadedLines, to));
    m_loadedLines = to;
    if (m_loadedLines < lines)
        m_loader->start();
}

void ScriptViewWidget::finishLoading()
{
    m_loader->stop();
    while (m_model && m_loadedLines < int(m_lineStarts.size()))
        loadPart();
    m_loader->stop();
}

void ScriptViewWidget::invalidateFormats()
{
    m_formatted.assign(m_lineStarts.size(), false);
    // Blocks keep their old formats until they are painted again.
    viewport()->update();
}

QTextCharFormat ScriptViewWidget::charFormat(const Lex::Run& run) const
{
    QTextCharFormat format;
    format.setForeground(toQColor(run.colour));
    if (run.styles & Lex::Bold)
        format.setFontWeight(QFont::Bold);
    if (run.styles & Lex::Italic)
        format.setFontItalic(true);
    if (run.styles & Lex::Underline)
        format.setFontUnderline(true);
    if (run.styles & Lex::StrikeOut)
        format.setFontStrikeOut(true);
    if (run.size > 0)
        format.setFontPointSize(run.size);
    return format;
}

bool ScriptViewWidget::formatBlock(const QTextBlock& block)
{
    const int n = block.blockNumber();
    if (!m_model || n < 0 || n >= int(m_lineStarts.size()) || m_formatted[n])
        return false;
    m_formatted[n] = true;
    const int start = m_lineStarts[n];
    const int length = block.length() - 1;
    QList<QTextLayout::FormatRange> ranges;
    if (length > 0) {
        for (const Lex::Run& run : m_model->runs(start, length)) {
            const int from = std::max(run.start, start);
            const int to = std::min(run.start + run.length, start + length);
            if (to <= from)
                continue;
            const bool plain =
                run.colour == Lex::Colours::Black && run.styles == Lex::NoStyle && run.size == 0;
            if (!plain)
                ranges.append({from - start, to - from, charFormat(run)});
        }
    }
    QTextLayout* layout = block.layout();
    if (ranges == layout->formats())
        return false;
    layout->setFormats(ranges);
    return true;
}

void ScriptViewWidget::formatVisibleBlocks()
{
    if (m_lineStarts.empty())
        return;
    const QPointF offset = contentOffset();
    const int height = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(offset).top() > height)
            break;
        if (formatBlock(block))
            document()->markContentsDirty(block.position(), block.length());
    }
}

void ScriptViewWidget::paintEvent(QPaintEvent* event)
{
    formatVisibleBlocks();
    QPlainTextEdit::paintEvent(event);
    if (m_model && m_loadedLines < int(m_lineStarts.size()) && !m_loader->isActive())
        m_loader->start();
}

void ScriptViewWidget::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = viewport()->geometry();
    m_margin->setGeometry(area.left() - LeftMargin, area.top(), LeftMargin, area.height());
}

int ScriptViewWidget::blockNumberAt(int pos) const
{
    auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos);
    return int(it - m_lineStarts.begin()) - 1;
}

QTextCharFormat ScriptViewWidget::formatAt(int pos)
{
    refresh();
    finishLoading();
    const int n = blockNumberAt(pos);
    const QTextBlock block = document()->findBlockByNumber(n);
    if (!block.isValid())
        return {};
    if (formatBlock(block))
        document()->markContentsDirty(block.position(), block.length());
    const int column = pos - m_lineStarts[n];
    QTextCharFormat format = block.charFormat();
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length)
            format.merge(range.format);
    }
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        format.setForeground(palette().color(QPalette::Text));
    return format;
}

} // namespace Shell
