// Every built-in of the table tests/data/simulation/builtins.txt against its expected value.

#include "SimTestSupport.h"
#include "simulation/Environment.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Table
{
    QString quotesCsv;
    QHash<QString, Sim::Value> series;
    struct Case
    {
        int line;
        QString call;
        QString expected;
    };
    QList<Case> cases;
};

const Table& Data()
{
    static const Table table = [] {
        Table t;
        t.quotesCsv =
            SimTest::ReadTestFile(QStringLiteral(ORVANTA_TEST_DATA "/simulation/two-sessions.csv"));
        const QStringList lines =
            SimTest::ReadTestFile(QStringLiteral(ORVANTA_TEST_DATA "/simulation/builtins.txt"))
                .split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            if (line.startsWith(u"series ")) {
                QStringList words = line.mid(7).split(u' ', Qt::SkipEmptyParts);
                const QString name = words.takeFirst();
                t.series.insert(name, SimTest::ParseLiteral(u'[' + words.join(u' ') + u']'));
            } else {
                const qsizetype eq = line.lastIndexOf(u" = "_s);
                t.cases.append({i + 1, line.left(eq), line.mid(eq + 3)});
            }
        }
        return t;
    }();
    return table;
}

// Splits "a, f(b, c), \"d, e\"" at its top-level commas.
QStringList Arguments(QStringView text)
{
    QStringList out;
    int depth = 0;
    bool quoted = false;
    QString current;
    for (QChar ch : text) {
        if (ch == u'"')
            quoted = !quoted;
        else if (!quoted && ch == u'(')
            ++depth;
        else if (!quoted && ch == u')')
            --depth;
        if (!quoted && depth == 0 && ch == u',') {
            out.append(current.trimmed());
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.trimmed().isEmpty())
        out.append(current.trimmed());
    return out;
}

// A call of the table, its arguments evaluated first (throws Sim::RunError).
Sim::Value Evaluate(Sim::Environment& env, const QString& text)
{
    if (text.startsWith(u'"'))
        return Sim::Value(text.mid(1, text.size() - 2));
    const qsizetype open = text.indexOf(u'(');
    if (open < 0) {
        if (Data().series.contains(text))
            return Data().series.value(text);
        if (const Sim::Value* constant = env.library().constant(text))
            return *constant;
        const Sim::Value variable = env.variable(text);
        return variable.isNone() ? SimTest::ParseLiteral(text) : variable;
    }
    QList<Sim::Value> args;
    for (const QString& arg : Arguments(QStringView(text).sliced(open + 1, text.size() - open - 2)))
        args.append(Evaluate(env, arg));
    const Sim::Builtin* builtin = env.library().find(text.left(open));
    if (!builtin)
        return Sim::Value(u"unknown function "_s + text.left(open));
    return Sim::Invoke(*builtin, env, args);
}

Sim::Value Expected(const QString& text)
{
    if (text.startsWith(u'"'))
        return Sim::Value(text.mid(1, text.size() - 2));
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.size() == 1)
        return SimTest::ParseLiteral(words[0]);
    return SimTest::ParseLiteral(u'[' + text + u']');
}

} // namespace

class TestBuiltins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void table_data();
    void table();
};

void TestBuiltins::table_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("expected");
    QVERIFY(Data().cases.size() > 100);
    for (const Table::Case& c : Data().cases)
        QTest::addRow("%d: %s", c.line, qPrintable(c.call)) << c.call << c.expected;
}

void TestBuiltins::table()
{
    QFETCH(QString, call);
    QFETCH(QString, expected);
    const Sim::QuotesRead quotes = Sim::ReadQuotes(Data().quotesCsv);
    QVERIFY2(quotes.ok(), qPrintable(quotes.message()));
    Sim::Environment env;
    env.setQuotes(quotes.quotes);
    env.beginRun(quotes.quotes.bars.size());

    const QString mismatch = SimTest::Mismatch([&] { return Evaluate(env, call); }, expected,
                                               Expected(expected), 0.000051);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

QTEST_GUILESS_MAIN(TestBuiltins)
#include "tst_builtins.moc"
