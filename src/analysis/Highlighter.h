#pragma once
// Colouring of a script view: the kinds of comments, strings, catalogue identifiers and
// reserved names.

#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"

namespace Lex {

/// Colours the whole view over the kinds it already has: comments, strings, then every
/// catalogue identifier by its tag and every value of reserved (words not in a comment).
/// The view's word index answers the identifiers.
void HighlightScript(ScriptView& view, const QList<ReservedName>& reserved);

/// Block comments, then line comments that start in uncoloured text, become Comment.
void HighlightComments(ScriptView& view);
/// The quotes pair in order; a pair whose opening quote is uncoloured becomes a String.
void HighlightStrings(ScriptView& view);

} // namespace Lex
