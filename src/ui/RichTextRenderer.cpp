#include "ui/RichTextRenderer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace Shell {

namespace {

QTextCharFormat charFormat(const Lex::Run& run)
{
    QTextCharFormat format;
    const Lex::Colour c = run.colour;
    format.setForeground(QColor(int((c >> 16) & 0xff), int((c >> 8) & 0xff), int(c & 0xff)));
    format.setFontWeight((run.styles & Lex::Bold) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.styles & Lex::Italic);
    format.setFontUnderline(run.styles & Lex::Underline);
    format.setFontStrikeOut(run.styles & Lex::StrikeOut);
    if (run.size > 0)
        format.setFontPointSize(run.size);
    return format;
}

QTextBlockFormat blockFormat(const Lex::ParagraphFormat& paragraph)
{
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment == Lex::Alignment::Centre ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft);
    // The first line starts at firstIndent; further lines restIndent from there.
    const int rest = paragraph.firstIndent + paragraph.restIndent;
    format.setLeftMargin(RichTextRenderer::pointsToPixels(std::max(0, rest)));
    format.setTextIndent(
        RichTextRenderer::pointsToPixels(paragraph.firstIndent - std::max(0, rest)));
    return format;
}

} // namespace

void RichTextRenderer::render(const Lex::ScriptView& view, QTextDocument* document)
{
    document->clear();
    QTextCursor cursor(document);
    const QStringList lines = view.lines();
    QTextList* list = nullptr;
    int start = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const Lex::ParagraphFormat paragraph = view.paragraphFormat(i);
        if (i == 0)
            cursor.setBlockFormat(blockFormat(paragraph));
        else
            cursor.insertBlock(blockFormat(paragraph), QTextCharFormat());
        if (paragraph.bullet) {
            if (list) {
                list->add(cursor.block());
            } else {
                QTextListFormat listFormat;
                listFormat.setStyle(QTextListFormat::ListDisc);
                listFormat.setIndent(1);
                list = cursor.createList(listFormat);
            }
        } else {
            list = nullptr;
        }
        const int length = int(lines[i].size());
        if (length > 0) {
            for (const Lex::Run& run : view.runs(start, length)) {
                const int from = std::max(run.start, start);
                const int to = std::min(run.start + run.length, start + length);
                if (to > from)
                    cursor.insertText(lines[i].mid(from - start, to - from), charFormat(run));
            }
        }
        start += length + 2;
    }
}

} // namespace Shell
