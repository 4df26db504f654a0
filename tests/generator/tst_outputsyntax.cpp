// Property: every script the generator finishes from a source without syntax errors parses
// without a diagnostic, over the syntax corpus, the examples, variations of them and many
// option combinations.

#include "analysis/AnalysisContext.h"
#include "analysis/ScriptView.h"
#include "generator/Pipeline.h"
#include "syntax/SyntaxTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList SourceFiles()
{
    QStringList files;
    const QString data = QStringLiteral(ORVANTA_TEST_DATA);
    for (const QString& folder : {data + u"/syntax"_s, data + u"/generator"_s})
        for (const QString& name : QDir(folder).entryList({u"*.afl"_s}, QDir::Files)) {
            if (!name.endsWith(u".expected.afl"_s))
                files << folder + u'/' + name;
        }
    files << QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo.afl");
    return files;
}

// Statements of the shapes that move the sections, added after a source: the last signal is
// then computed in a loop, a branch, a function or after a comment with a stray quote.
const QStringList Endings = {
    u"Buy1 = Buy;\r\nfor (i = 10; i < BarCount; i++)\r\n{\r\n    if (Buy1[i]) Buy[i] = 1; "
    u"else Buy[i] = 0;\r\n}\r\n"_s,
    u"Sell = C < O; if (C > 10) Buy = 1; else x = 0;\r\n"_s,
    u"// Buy when the 5\" bar closes up\r\nBuy = C > O;\r\nTitle = \"RSI\";\r\nSell = C < O;\r\n"
    u"/* Sell = 0; */\r\nApplyStop(0, 1, 5);\r\n"_s,
    u"function f() { Buy = 1; Sell = 0; }\r\nx = f(); s = \"f\";\r\n"_s,
    u"i = 0;\r\nwhile (i < 3) { Sell[i] = 0; i++; }\r\ndo { i--; } while (i > 0);\r\n"_s,
    u"if (x) { for (j = 0; j < 2; j++) { for (k = 0; k < 2; k++) Buy[k] = 1; } }\r\n"_s,
    u"function g(n)\r\n{\r\n    for (i = 0; i < n; i++) Sell[i] = 1;\r\n    return n;\r\n}\r\n"
    u"y = g(3);\r\nPlotShapes(Buy * shapeUpArrow, colorGreen);\r\n"_s,
    u"switch (z) { case 1: Buy = 1; break; default: Sell = 1; }\r\n"_s,
};

Afl::GeneratorSettings RandomSettings(QRandomGenerator& random)
{
    const auto pick = [&random](int count) { return int(random.bounded(count)); };
    Afl::GeneratorSettings s;
    s.tickerMode = Afl::TickerMode(pick(2));
    s.tickerName = pick(2) ? u"KGHM"_s : u"A\"B\\C"_s;
    s.accountMode = Afl::AccountMode(pick(2));
    s.accountName = u"00-123"_s;
    s.signalMode = Afl::SignalMode(pick(2));
    s.showSignals = pick(2);
    s.refresh = pick(2);
    s.refreshSeconds = 1 + pick(60);
    s.reverseOnly = pick(2);
    s.oneOrderPerBar = pick(2);
    s.intervalMode = Afl::IntervalMode(pick(4));
    s.interval = pick(100000);
    s.positionMode = Afl::PositionMode(pick(2));
    s.positionUnit = Afl::PositionUnit(pick(2));
    s.positionCount = 1 + pick(1000);
    s.positionValue = 1 + pick(100000);
    s.orderMode = Afl::OrderMode(pick(3));
    s.limitValue = pick(1000) / 8.0;
    s.referenceMode = Afl::ReferenceMode(pick(3));
    s.otherPrice = pick(1000) / 4.0;
    s.activationMode = Afl::ActivationMode(pick(3));
    s.activationValue = pick(100) / 2.0;
    s.comments = pick(2);
    s.peg = pick(2);
    return s;
}

} // namespace

class TestOutputSyntax : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void finishedScriptsParse_data();
    void finishedScriptsParse();
};

void TestOutputSyntax::finishedScriptsParse_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<quint32>("seed");
    QRandomGenerator random(20261209);
    for (const QString& path : SourceFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QString name = QFileInfo(path).fileName();
        QTest::newRow(qPrintable(name)) << text << random.generate();
        for (qsizetype i = 0; i < Endings.size(); ++i)
            QTest::addRow("%s + shape %d", qPrintable(name), int(i))
                << text + u"\r\n"_s + Endings.at(i) << random.generate();
    }
}

void TestOutputSyntax::finishedScriptsParse()
{
    QFETCH(QString, source);
    QFETCH(quint32, seed);
    QVERIFY2(!Syntax::SyntaxTree::parse(source).hasErrors(), "the source has syntax errors");
    QRandomGenerator random(seed);
    Lex::ScriptView rEdit;
    rEdit.setText(source);
    Lex::AnalysisContext context;
    for (int run = 0; run < 12; ++run) {
        const Afl::GeneratorSettings settings = RandomSettings(random);
        Lex::ScriptView rGenAFL;
        Lex::ScriptView rUwagi;
        const Afl::GenerationResult result =
            Afl::GenerateScript(rEdit, rGenAFL, rUwagi, context, settings, settings.showSignals);
        QVERIFY2(!result.outputError, qPrintable(rUwagi.text()));
        if (!result.signalsFound())
            continue;
        QVERIFY(result.success);
        QVERIFY(result.insertion.outcome != Afl::InsertionCheck::Outcome::SyntaxErrors);
        // Read afresh, not through the pipeline's own check.
        QVERIFY(Syntax::SyntaxTree::parse(rGenAFL.text()).diagnostics().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestOutputSyntax)
#include "tst_outputsyntax.moc"
