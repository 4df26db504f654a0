#pragma once
// Checks and rewrites of a script: plug-in calls, removal of listed calls, identifier
// replacement and the end of the signal definitions.

#include "analysis/ScriptView.h"

#include <QStringList>

namespace Lex {

class AnalysisContext;

/// The plug-in function of every call outside comments, one entry per call, by catalogue
/// order and then by position.
QStringList PluginCalls(const ScriptView& view, AnalysisContext& context);
/// Deletes every call of name (with its arguments and a following ";"), comments included,
/// and tallies it. Returns the spans deleted, ascending, in the text as it was before.
QList<Span> RemoveCalls(ScriptView& view, const QString& name, AnalysisContext& context);
/// RemoveCalls for every name of RemovalList in order. Returns every span deleted, ascending
/// and disjoint, in the text as it was before the first: one per call, except that a call
/// deleted with the arguments of another is part of that one's span.
QList<Span> RemoveListedCalls(ScriptView& view, AnalysisContext& context);
/// The spans of two deletions one after the other as one deletion: second is in the text
/// that first left; the result is in the text before first.
QList<Span> ComposeSpans(const QList<Span>& first, const QList<Span>& second);
/// Where the character at pos of a text after deleting spans stood before the deletion.
int PositionBefore(const QList<Span>& spans, int pos);
/// Replaces every whole identifier name (ignoring case) in the lines; returns the count.
int ReplaceIdentifier(QStringList& lines, const QString& name, const QString& replacement);
/// 1-based insertion point after the last Buy and Sell definitions; -1 no Buy, -2 no Sell.
int FindSignalsEnd(const ScriptView& view);

} // namespace Lex
