#pragma once
// Colouring of a script view: comments, strings, catalogue identifiers, reserved names.

#include "analysis/ScriptView.h"

namespace Lex {

class AnalysisContext;

/// Colours the whole view (one pass over its identifiers with a hash lookup).
void HighlightScript(ScriptView& view, AnalysisContext& context);

void HighlightComments(ScriptView& view, Colour colour, Styles styles);
void HighlightStrings(ScriptView& view, Colour colour, Styles styles);
/// Colours every whole-word occurrence of word whose first character is not a comment.
void HighlightWord(ScriptView& view, QStringView word, Colour colour, Styles styles);

} // namespace Lex
