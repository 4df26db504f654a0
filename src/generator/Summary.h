#pragma once
// The summary tree's data: nine headers (ten with a safety switch on) with their value lines in
// display order.

#include "generator/GeneratorSettings.h"

#include <QList>
#include <QStringList>

namespace Afl {

struct SummaryValue
{
    QString text;
    bool unanswered = false; // the whole text is "?"
};

struct SummaryNode
{
    QString header;
    QList<SummaryValue> values; // in display order (top to bottom)
};

/// The nine categories, and after the fourth the switches that are on when any is;
/// intSecsText is the text of the selected cbIntSecs item.
QList<SummaryNode> BuildSummary(const GeneratorSettings& settings, const QString& intSecsText,
                                const QLocale& locale = QLocale::system());

} // namespace Afl
