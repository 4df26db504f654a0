#pragma once
// Checks and rewrites of a script: plug-in calls, removal of listed calls, identifier
// replacement and the end of the signal definitions.

#include "analysis/ScriptView.h"

#include <QStringList>

namespace Lex {

class AnalysisContext;

/// Counts plug-in calls outside comments; appends "   name" to LoadRemarks for each.
int FindPluginCalls(const ScriptView& view, AnalysisContext& context);
/// Deletes every call of name (with its arguments and a following ";"); tallies it.
int RemoveCalls(ScriptView& view, const QString& name, AnalysisContext& context);
/// RemoveCalls for every name of RemovalList; returns the sum. A source, the view whose
/// text view's text was made from by adding line breaks and deleting calls, lets names it
/// surely lacks be skipped without a search (a deletion never joins two words).
int RemoveListedCalls(ScriptView& view, AnalysisContext& context,
                      const ScriptView* source = nullptr);
/// Replaces every whole identifier name (ignoring case) in the lines; returns the count.
int ReplaceIdentifier(QStringList& lines, const QString& name, const QString& replacement);
/// 1-based insertion point after the last Buy and Sell definitions; -1 no Buy, -2 no Sell.
int FindSignalsEnd(const ScriptView& view);

} // namespace Lex
