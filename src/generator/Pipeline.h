#pragma once
// The generation pipeline: working copy, rewrites, reports, sections and their insertion.

#include "generator/GeneratorSettings.h"

#include <QStringList>

namespace Lex {
class AnalysisContext;
class ScriptView;
} // namespace Lex

namespace Afl {

struct GenerationResult
{
    bool success = false;
    /// The working copy's lines, and after a success the finished script's lines.
    QStringList sourceLines;
};

/// Runs one generation: rEdit is read, rGenAFL receives the working copy and at the end the
/// finished script, rUwagi the remarks. cbShowChecked is the state of cbShow at this moment.
/// Shows nothing and changes no flag; the caller sets buttons and flags from the result.
GenerationResult GenerateScript(const Lex::ScriptView& rEdit, Lex::ScriptView& rGenAFL,
                                Lex::ScriptView& rUwagi, Lex::AnalysisContext& context,
                                const GeneratorSettings& settings, bool cbShowChecked);

} // namespace Afl
