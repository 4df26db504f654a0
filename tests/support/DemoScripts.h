#pragma once
// The answers of examples/demo.afp as generator settings, and the finished script they write
// for the demo script or another source.

#include "analysis/AnalysisContext.h"
#include "analysis/Highlighter.h"
#include "analysis/ScriptView.h"
#include "generator/Pipeline.h"
#include "platform/TextFile.h"

namespace TestSupport {

inline Afl::GeneratorSettings DemoSettings()
{
    Afl::GeneratorSettings s;
    s.signalMode = Afl::SignalMode::PreviousCandle;
    s.showSignals = true;
    s.refreshSeconds = 5;
    s.reverseOnly = true;
    s.oneOrderPerBar = true;
    s.intervalMode = Afl::IntervalMode::Standard;
    s.interval = 300;
    s.positionUnit = Afl::PositionUnit::Value;
    s.positionValue = 5000;
    s.orderMode = Afl::OrderMode::Percent;
    s.limitValue = 1;
    s.referenceMode = Afl::ReferenceMode::LastTrade;
    s.comments = true;
    return s;
}

inline QString DemoSource()
{
    return Platform::ReadTextFile(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afl")).text;
}

/// The finished script the wizard writes for source under s; empty when generation fails.
inline QString Finished(const Afl::GeneratorSettings& s, const QString& source = DemoSource())
{
    Lex::AnalysisContext context;
    Lex::ScriptView rEdit;
    rEdit.setText(source);
    Lex::HighlightScript(rEdit, context.reservedNames());
    Lex::ScriptView rGenAFL;
    Lex::ScriptView rUwagi;
    const Afl::GenerationResult result =
        Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, s, true);
    return result.success ? rGenAFL.text() : QString();
}

} // namespace TestSupport
