#pragma once
// Adds one line with its own font style and size to a rich-text view.

#include "analysis/ScriptView.h"

namespace Lex {

/// Adds text as a new line at the end of view; exactly the characters of text get styles
/// and size (points). A text that begins with CR LF yields an empty line first.
void AppendRemark(ScriptView& view, const QString& text, Styles styles, int size);

} // namespace Lex
