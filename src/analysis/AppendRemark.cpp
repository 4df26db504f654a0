#include "analysis/AppendRemark.h"

namespace Lex {

void AppendRemark(ScriptView& view, const QString& text, Styles styles, int size)
{
    const int start = view.length();
    const bool breakFirst = !view.isEmpty() && !view.text().endsWith(ScriptView::LineBreak);
    view.appendLine(text);
    // The number of characters of text as stored (line breaks normalised to CR LF).
    const int count = view.length() - start - 2 - (breakFirst ? 2 : 0);
    view.setRangeFont(start, count, styles, size);
}

} // namespace Lex
