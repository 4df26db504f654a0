#pragma once
// Renders a Lex::ScriptView into a QTextDocument with paragraph formats (the About text).

#include "analysis/ScriptView.h"

class QTextDocument;

namespace Shell {

/// Fills a rich-text document from a view model: one block per line with its alignment,
/// indents and bullet, and the character runs with colour, styles and size.
class RichTextRenderer
{
public:
    static void render(const Lex::ScriptView& view, QTextDocument* document);
    /// Points to the document's pixels (96 per inch).
    static qreal pointsToPixels(int points) { return points * 96.0 / 72.0; }
};

} // namespace Shell
