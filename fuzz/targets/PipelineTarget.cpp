// The whole generation pipeline on any script, with settings taken from the input.

#include "ByteReader.h"
#include "FuzzTargets.h"
#include "analysis/AnalysisContext.h"
#include "analysis/Highlighter.h"
#include "analysis/ScriptView.h"
#include "generator/GeneratorSettings.h"
#include "generator/Pipeline.h"
#include "platform/TextFile.h"
#include "syntax/SyntaxTree.h"

#include <cstring>

namespace Fuzz {

namespace {

Afl::OptionSnapshot::Check takeCheck(ByteReader& in)
{
    return {in.takeFlag(), in.takeFlag()};
}

// The option controls as the wizard can leave them: items within their lists (or none),
// spin edits within their limits, anything typed into the edits.
Afl::GeneratorSettings capturedSettings(ByteReader& in)
{
    Afl::OptionSnapshot o;
    o.rgTicker = in.takeInt(-1, 1);
    o.edName = in.takeText(40);
    o.rgAccount = in.takeInt(-1, 1);
    o.edAccount = in.takeText(40);
    o.rgSignals = in.takeInt(-1, 1);
    o.cbShow = takeCheck(in);
    o.cbRefresh = takeCheck(in);
    o.csRefresh = in.takeInt(1, 3600);
    o.cbReverse = takeCheck(in);
    o.cbOneSignal = takeCheck(in);
    o.rgInterval = in.takeInt(-1, 3);
    o.cbIntSecs = in.takeInt(-1, 7);
    o.csIntSecs = in.takeInt(0, 100000000);
    o.csIntTicks = in.takeInt(1, 100000000);
    o.rgHowPosition = in.takeInt(-1, 1);
    o.rgPositions = in.takeInt(-1, 1);
    o.csCount = in.takeInt(1, 1000000000);
    o.csValue = in.takeInt(1, 1000000000);
    o.cbPEG = in.takeFlag();
    o.rgOrders = in.takeInt(-1, o.cbPEG ? 1 : 2);
    o.edValDev = in.takeText(30);
    o.edCentDev = in.takeText(30);
    o.rgDeviation = in.takeInt(-1, 2);
    o.edOtherPrice = in.takeText(30);
    o.cbLimAkt = takeCheck(in);
    o.rgCentPkt = in.takeInt(-1, 1);
    o.edLimAkt = in.takeText(30);
    o.cbComments = in.takeFlag();
    o.locale = in.takeFlag() ? QLocale(QLocale::Polish, QLocale::Poland) : QLocale::c();
    return Afl::CaptureSettings(o);
}

double takeReal(ByteReader& in)
{
    const quint64 bits = (quint64(quint32(in.takeInt(INT_MIN, INT_MAX))) << 32) |
                         quint32(in.takeInt(INT_MIN, INT_MAX));
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A settings block filled field by field, each mode one beyond its range on either side.
Afl::GeneratorSettings rawSettings(ByteReader& in)
{
    Afl::GeneratorSettings s;
    s.tickerMode = Afl::TickerMode(in.takeInt(-1, 2));
    s.tickerName = in.takeText(40);
    s.accountMode = Afl::AccountMode(in.takeInt(-1, 2));
    s.accountName = in.takeText(40);
    s.signalMode = Afl::SignalMode(in.takeInt(-1, 2));
    s.showSignals = in.takeFlag();
    s.refresh = in.takeFlag();
    s.refreshSeconds = in.takeInt(INT_MIN, INT_MAX);
    s.reverseOnly = in.takeFlag();
    s.oneOrderPerBar = in.takeFlag();
    s.intervalMode = Afl::IntervalMode(in.takeInt(-1, 4));
    s.interval = in.takeInt(INT_MIN, INT_MAX);
    s.positionMode = Afl::PositionMode(in.takeInt(-1, 2));
    s.positionUnit = Afl::PositionUnit(in.takeInt(-1, 2));
    s.positionCount = in.takeInt(INT_MIN, INT_MAX);
    s.positionValue = takeReal(in);
    s.orderMode = Afl::OrderMode(in.takeInt(-1, 3));
    s.limitValue = takeReal(in);
    s.referenceMode = Afl::ReferenceMode(in.takeInt(-1, 3));
    s.otherPrice = takeReal(in);
    s.activationMode = Afl::ActivationMode(in.takeInt(-1, 3));
    s.activationValue = takeReal(in);
    s.comments = in.takeFlag();
    s.peg = in.takeFlag();
    return s;
}

// Every whole word of the view is found where an index made afresh from its text finds it.
bool sameWordsAsFreshIndex(const Lex::ScriptView& view)
{
    const Lex::WordIndex fresh(view.text());
    const QString& text = view.text();
    for (qsizetype i = 0; i < text.size();) {
        if (!Lex::IsWordChar(text.at(i))) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && Lex::IsWordChar(text.at(end)))
            ++end;
        const QStringView word = QStringView(text).mid(i, end - i);
        if (Lex::WordIndex::answers(word) &&
            view.wordIndex().occurrences(word) != fresh.occurrences(word))
            return false;
        i = end;
    }
    return true;
}

} // namespace

int Pipeline(const std::uint8_t* data, std::size_t size)
{
    static const bool epochSet = qputenv("SOURCE_DATE_EPOCH", "1700000000");
    (void)epochSet;

    ByteReader in(data, size);
    const bool raw = in.takeFlag();
    Afl::GeneratorSettings settings = raw ? rawSettings(in) : capturedSettings(in);
    const bool cbShowChecked = in.takeFlag();
    // The safety switches, each on or off, the cap within the spin edit's range or none.
    settings.switches.testMode = in.takeFlag();
    settings.switches.masterSwitch = in.takeFlag();
    settings.switches.orderLog = in.takeFlag();
    settings.switches.dailyCap = in.takeInt(0, 100);
    const QString source = Platform::DecodeBytes(in.rest());

    Lex::AnalysisContext context;
    Lex::ScriptView rEdit;
    rEdit.setText(source);
    Lex::HighlightScript(rEdit, context.reservedNames());

    Lex::ScriptView rGenAFL;
    Lex::ScriptView rUwagi;
    const Afl::GenerationResult first =
        Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, settings, cbShowChecked);
    FUZZ_CHECK(first.sourceLines == rGenAFL.lines());
    FUZZ_CHECK(!rUwagi.isEmpty());
    // The generated view's index was carried over from the source's through the deletions
    // and the inserted sections.
    FUZZ_CHECK(sameWordsAsFreshIndex(rGenAFL));
    // A source without syntax errors gives a finished script without them.
    if (first.signalsFound() && !Syntax::SyntaxTree::parse(source).hasErrors())
        FUZZ_CHECK(!first.outputError && first.success);

    // Generating again from the same source gives the same script and remarks.
    const QString generated = rGenAFL.text();
    const QString remarks = rUwagi.text();
    const Afl::GenerationResult second =
        Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, settings, cbShowChecked);
    FUZZ_CHECK(second.success == first.success);
    FUZZ_CHECK(rGenAFL.text() == generated);
    FUZZ_CHECK(rUwagi.text() == remarks);

    return 0;
}

} // namespace Fuzz
