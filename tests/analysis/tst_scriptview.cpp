// Tests of the script view text model and AppendRemark.

#include "analysis/AppendRemark.h"
#include "analysis/ScriptView.h"

#include <stdexcept>

#include <QTest>

using namespace Lex;
using namespace Qt::Literals::StringLiterals;

class TestScriptView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineBreaks_data();
    void lineBreaks();
    void appendLine_data();
    void appendLine();
    void find_data();
    void find();
    void findAfterTextChanges_data();
    void findAfterTextChanges();
    void containsWords_data();
    void containsWords();
    void indexCarriedOver_data();
    void indexCarriedOver();
    void attributesAndRuns();
    void manyColours();
    void setTextResetsAttributes();
    void appendRemark_data();
    void appendRemark();
    void paragraphFormats();
};

void TestScriptView::lineBreaks_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty") << ""
                           << "" << 0;
    QTest::newRow("no break") << "abc"
                              << "abc" << 1;
    QTest::newRow("crlf kept") << "a\r\nb\r\n"
                               << "a\r\nb\r\n"
                               << 2;
    QTest::newRow("lf") << "a\nb"
                        << "a\r\nb" << 2;
    QTest::newRow("cr") << "a\rb\r"
                        << "a\r\nb\r\n"
                        << 2;
    QTest::newRow("lf first") << "\nab"
                              << "\r\nab" << 2;
    QTest::newRow("crlf then lone cr") << "a\r\n\r"
                                       << "a\r\n\r\n"
                                       << 2;
    QTest::newRow("mixed") << "a\n\r\nb\r\r\n"
                           << "a\r\n\r\nb\r\n\r\n"
                           << 4;
}

void TestScriptView::lineBreaks()
{
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(int, lines);
    ScriptView view;
    view.setText(input);
    QCOMPARE(view.text(), text);
    QCOMPARE(view.lineCount(), lines);
    QCOMPARE(view.lines().size(), lines);
    QCOMPARE(view.lines().join(ScriptView::LineBreak) + (text.endsWith(u'\n') ? "\r\n" : ""), text);
}

void TestScriptView::appendLine_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("after");
    QTest::newRow("empty view") << ""
                                << "x"
                                << "x\r\n";
    QTest::newRow("ends with break") << "a\r\n"
                                     << "x"
                                     << "a\r\nx\r\n";
    QTest::newRow("no final break") << "a"
                                    << "x"
                                    << "a\r\nx\r\n";
    QTest::newRow("leading break") << "a\r\n"
                                   << "\r\nx"
                                   << "a\r\n\r\nx\r\n";
    QTest::newRow("empty line") << "a\r\n"
                                << ""
                                << "a\r\n\r\n";
}

void TestScriptView::appendLine()
{
    QFETCH(QString, before);
    QFETCH(QString, line);
    QFETCH(QString, after);
    ScriptView view;
    view.setText(before);
    view.setRangeStyle(0, view.length(), Colours::Comment, Italic);
    view.appendLine(line);
    QCOMPARE(view.text(), after);
    for (int i = before.size(); i < view.length(); ++i) {
        QCOMPARE(view.charColourAt(i), Colours::Black);
        QCOMPARE(view.stylesAt(i), Styles(NoStyle));
    }
    if (!before.isEmpty())
        QCOMPARE(view.charColourAt(0), Colours::Comment);
}

void TestScriptView::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");
    QTest::newRow("upper") << "x = BUY;"
                           << "Buy" << true << 0 << 8 << 4;
    QTest::newRow("inside longer") << "BuyPrice myBuy buy"
                                   << "Buy" << true << 0 << 18 << 15;
    QTest::newRow("underscore joins") << "Buy_1 Buy"
                                      << "buy" << true << 0 << 9 << 6;
    QTest::newRow("accented joins") << "Buyś Buy"
                                    << "buy" << true << 0 << 8 << 5;
    QTest::newRow("digit joins") << "2buy"
                                 << "buy" << true << 0 << 4 << -1;
    QTest::newRow("after crlf") << "a\r\nBuy"
                                << "buy" << true << 0 << 6 << 3;
    QTest::newRow("range excludes tail") << "a Buy"
                                         << "buy" << true << 0 << 4 << -1;
    QTest::newRow("range start") << "Buy Buy"
                                 << "buy" << true << 1 << 6 << 4;
    QTest::newRow("range past end") << "Buy"
                                    << "buy" << true << 0 << 100 << 0;
    QTest::newRow("plain inside word") << "myBuy"
                                       << "BUY" << false << 0 << 5 << 2;
    QTest::newRow("hash word") << "#include_once #include"
                               << "#include" << true << 0 << 22 << 14;
    QTest::newRow("hash after letter") << "x#include"
                                       << "#include" << true << 0 << 9 << -1;
    QTest::newRow("plain slashes") << "a / b // c"
                                   << "//" << false << 0 << 10 << 6;
    // The search looks for the needle's least common character first; these place that
    // character at the range's edges.
    QTest::newRow("rare last, overlapping starts") << "aaaz aaz"
                                                   << "aaz" << false << 0 << 8 << 1;
    QTest::newRow("match must end inside range") << "xx quiz"
                                                 << "quiz" << false << 0 << 6 << -1;
    QTest::newRow("rare char of an earlier match") << "buzz buzz"
                                                   << "BUZZ" << true << 1 << 8 << 5;
    QTest::newRow("match ends at range end") << "a buzz"
                                             << "buzz" << true << 2 << 4 << 2;
    QTest::newRow("polish letters ignore case") << "ŻÓŁW żółw"
                                                << "żółw" << true << 1 << 8 << 5;
    QTest::newRow("kelvin sign folds to k") << "x \u212Ax"
                                            << "kx" << false << 0 << 4 << 2;
    QTest::newRow("empty needle") << "abc"
                                  << "" << false << 0 << 3 << -1;
    QTest::newRow("negative length") << "abc"
                                     << "a" << false << 0 << -1 << -1;
}

void TestScriptView::find()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(bool, whole);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, result);
    ScriptView view;
    view.setText(text);
    const int found =
        whole ? view.findWord(needle, start, length) : view.findPlain(needle, start, length);
    QCOMPARE(found, result);
}

void TestScriptView::containsWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QList<bool>>("found");
    QTest::newRow("case and whole words")
        << "Symbol = symbol_plug; mySymbol" << QStringList{"SYMBOL", "symbol_PLUG", "symbo", "my"}
        << QList<bool>{true, true, false, false};
    QTest::newRow("same word twice")
        << "cena" << QStringList{"cena", "CENA", "cena_plug"} << QList<bool>{true, true, false};
    QTest::newRow("inside comments and strings")
        << "// newBar\r\n\"idBuy\" /* mBuy */" << QStringList{"newBar", "idBuy", "mBuy"}
        << QList<bool>{true, true, true};
    QTest::newRow("polish letters")
        << "ŻÓŁW x" << QStringList{"żółw", "żół"} << QList<bool>{true, false};
    QTest::newRow("word at both ends")
        << "liczba+pozycje" << QStringList{"liczba", "pozycje"} << QList<bool>{true, true};
    // Words with other characters are searched one by one.
    QTest::newRow("other characters") << "x #include y" << QStringList{"#include", "x y", "", "y"}
                                      << QList<bool>{true, false, false, true};
    QTest::newRow("empty text") << "" << QStringList{"a"} << QList<bool>{false};
    // U+0345 is no word character but folds to a Greek iota.
    QTest::newRow("non-word character folding to a letter")
        << "a \u0345 b" << QStringList{"\u03B9", "a"} << QList<bool>{true, true};
}

// The index gives what a search of the text for each word gives.
void TestScriptView::containsWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(QList<bool>, found);
    ScriptView view;
    view.setText(text);
    QCOMPARE(view.containsWords(words), found);
    for (qsizetype i = 0; i < words.size(); ++i)
        QCOMPARE(view.findWord(words.at(i), 0, view.length()) >= 0, found.at(i));
}

// An index moved through pieces answers as one made afresh from the new text.
void TestScriptView::indexCarriedOver_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("spans"); // start and length of each deleted span
    QTest::addColumn<QString>("inserted"); // put in at the first span, read anew
    QTest::newRow("deleted calls") << "a = b;\r\nApplyStop(1);\r\nb = a; ApplyStop(2) c"
                                   << QList<int>{8, 15, 30, 12} << QString();
    QTest::newRow("section put in") << "Buy = 1;\r\nSell = buy;\r\nPlot(C);" << QList<int>{23, 0}
                                    << "\r\nmBuy = Sell; #include\r\n";
}

void TestScriptView::indexCarriedOver()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, spans);
    QFETCH(QString, inserted);
    const WordIndex index(text);
    QString after;
    std::vector<WordIndex::Piece> pieces;
    int kept = 0;
    for (qsizetype i = 0; i < spans.size(); i += 2) {
        pieces.push_back({int(after.size()), spans.at(i) - kept, kept});
        after += QStringView(text).mid(kept, spans.at(i) - kept);
        if (i == 0 && !inserted.isEmpty()) {
            pieces.push_back({int(after.size()), int(inserted.size()), -1});
            after += inserted;
        }
        kept = spans.at(i) + spans.at(i + 1);
    }
    pieces.push_back({int(after.size()), int(text.size()) - kept, kept});
    after += QStringView(text).mid(kept);

    const WordIndex carried = index.spliced(after, pieces);
    const WordIndex fresh(after);
    for (const QString& word : {u"a"_s, u"B"_s, u"applystop"_s, u"buy"_s, u"SELL"_s, u"mBuy"_s,
                                u"#include"_s, u"include"_s, u"c"_s})
        QCOMPARE(carried.occurrences(word), fresh.occurrences(word));
}

// Searches see the current text after every kind of change.
void TestScriptView::findAfterTextChanges_data()
{
    QTest::addColumn<bool>("afterPass");
    QTest::newRow("searched only") << false;
    // A pass over the text leaves an index of its words; it must never answer for a text
    // changed since.
    QTest::newRow("after a pass over the words") << true;
}

void TestScriptView::findAfterTextChanges()
{
    QFETCH(bool, afterPass);
    ScriptView view;
    const auto find = [&](QStringView word) {
        if (afterPass)
            view.containsWords({QStringLiteral("zzz")});
        return view.findWord(word, 0, view.length());
    };
    view.setText(QStringLiteral("Sell = 0;"));
    QCOMPARE(find(u"sell"), 0);
    QCOMPARE(find(u"buy"), -1);
    view.appendLine(QStringLiteral("Buy = 1;"));
    QCOMPARE(find(u"buy"), 11);
    view.setRangeStyle(0, 4, Colours::Comment, Italic);
    QCOMPARE(find(u"BUY"), 11);
    view.setText(QStringLiteral("x\nBUY"));
    QCOMPARE(find(u"buy"), 3);
    QCOMPARE(view.foldedText(), QStringLiteral("x\r\nbuy"));
    view.setLines({QStringLiteral("Sell")});
    QCOMPARE(find(u"sell"), 0);
    view.clear();
    QCOMPARE(find(u"sell"), -1);
    QCOMPARE(view.findPlain(u"b", 0, 10), -1);
    QVERIFY(view.foldedText().isEmpty());
}

// A view numbers its colours; numbers no character uses any more are given again.
void TestScriptView::manyColours()
{
    ScriptView view;
    view.setText(QString(10, u'x'));
    for (int c = 1; c <= 1000; ++c)
        view.setRangeStyle(c % 10, 1, Rgb(c % 256, c / 256, 7), NoStyle);
    for (int pos = 0; pos < 10; ++pos) {
        const int last = 990 + pos + (pos == 0 ? 10 : 0);
        QCOMPARE(view.charColourAt(pos), Rgb(last % 256, last / 256, 7));
    }
    QCOMPARE(view.runs(0, 10).size(), 10);

    // Black and 255 colours in use at once are the most a view can hold.
    view.setText(QString(300, u'x'));
    for (int c = 1; c <= 255; ++c)
        view.setRangeStyle(c, 1, Rgb(c, 1, 1), NoStyle);
    QCOMPARE(view.charColourAt(255), Rgb(255, 1, 1));
    QVERIFY_THROWS_EXCEPTION(std::length_error, view.setRangeStyle(256, 1, Rgb(1, 2, 3), NoStyle));
    view.setRangeStyle(1, 1, Rgb(2, 1, 1), NoStyle); // a colour it has
    QCOMPARE(view.charColourAt(1), Rgb(2, 1, 1));
    view.setRangeStyle(256, 1, Rgb(1, 2, 3), NoStyle); // number of Rgb(1, 1, 1) is free now
    QCOMPARE(view.charColourAt(256), Rgb(1, 2, 3));
    QCOMPARE(view.charColourAt(2), Rgb(2, 1, 1));
}

void TestScriptView::attributesAndRuns()
{
    ScriptView view;
    view.setText(QStringLiteral("abcdefgh"));
    view.setRangeStyle(2, 3, Colours::String, NoStyle);
    view.setRangeFont(4, 10, Bold, 10);
    QCOMPARE(view.charColourAt(-1), Colours::Black);
    QCOMPARE(view.charColourAt(8), Colours::Black);
    QCOMPARE(view.charColourAt(4), Colours::String);
    QCOMPARE(view.sizeAt(7), 10);
    const QList<Run> runs = view.runs(0, view.length());
    QCOMPARE(runs.size(), 4);
    const QList<QList<int>> expected = {
        {0, 2, 0}, {2, 2, int(Colours::String)}, {4, 1, int(Colours::String)}, {5, 3, 0}};
    for (int i = 0; i < runs.size(); ++i) {
        QCOMPARE(runs.at(i).start, expected.at(i).at(0));
        QCOMPARE(runs.at(i).length, expected.at(i).at(1));
        QCOMPARE(int(runs.at(i).colour), expected.at(i).at(2));
    }
    QCOMPARE(runs.at(2).styles, Styles(Bold));
    const QList<Run> inner = view.runs(3, 3);
    QCOMPARE(inner.size(), 3);
    QCOMPARE(inner.first().start, 3);
    QCOMPARE(inner.first().length, 1);
    QVERIFY(view.runs(6, 100).size() == 1 && view.runs(6, 100).first().length == 2);
}

void TestScriptView::setTextResetsAttributes()
{
    ScriptView view;
    view.setText(QStringLiteral("abc"));
    view.setRangeStyle(0, 3, Colours::Comment, Italic);
    const quint64 revision = view.revision();
    view.setText(QStringLiteral("abcd"));
    QVERIFY(view.revision() > revision);
    QCOMPARE(view.runs(0, 4).size(), 1);
    QCOMPARE(view.charColourAt(0), Colours::Black);
    view.setLines({QStringLiteral("a"), QStringLiteral("b\nc")});
    QCOMPARE(view.text(), QStringLiteral("a\r\nb\r\nc\r\n"));
}

void TestScriptView::appendRemark_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("styledFrom");
    QTest::addColumn<int>("styledCount");
    QTest::newRow("empty view") << ""
                                << "Kod" << 0 << 3;
    QTest::newRow("after line") << "abc\r\n"
                                << "Kod" << 5 << 3;
    QTest::newRow("leading break") << "abc\r\n"
                                   << "\r\nKod" << 5 << 5;
    QTest::newRow("no final break") << "abc"
                                    << "Kod" << 3 << 3;
}

void TestScriptView::appendRemark()
{
    QFETCH(QString, before);
    QFETCH(QString, text);
    QFETCH(int, styledFrom);
    QFETCH(int, styledCount);
    ScriptView view;
    view.setText(before);
    view.setRangeStyle(0, view.length(), Colours::Plugin, NoStyle);
    AppendRemark(view, text, Bold, 10);
    for (int i = 0; i < view.length(); ++i) {
        const bool styled = i >= styledFrom && i < styledFrom + styledCount;
        QCOMPARE(view.stylesAt(i), Styles(styled ? Bold : NoStyle));
        QCOMPARE(view.sizeAt(i), styled ? 10 : 0);
    }
    QCOMPARE(view.charColourAt(0), before.isEmpty() ? Colours::Black : Colours::Plugin);
    QVERIFY(view.text().endsWith(text + "\r\n"));
}

void TestScriptView::paragraphFormats()
{
    ScriptView view;
    view.setText(QStringLiteral("a\r\nb\r\n"));
    const ParagraphFormat centre{Alignment::Centre, 0, 0, false};
    const ParagraphFormat bullet{Alignment::Left, 10, 20, true};
    view.setParagraphFormat(0, centre);
    view.setParagraphFormatFrom(2, bullet);
    view.appendLine(QStringLiteral("c"));
    view.appendLine(QStringLiteral("d"));
    QCOMPARE(view.paragraphFormat(0), centre);
    QCOMPARE(view.paragraphFormat(1), ParagraphFormat());
    QCOMPARE(view.paragraphFormat(2), bullet);
    QCOMPARE(view.paragraphFormat(3), bullet);
    view.setParagraphFormatFrom(3, ParagraphFormat());
    QCOMPARE(view.paragraphFormat(2), bullet);
    QCOMPARE(view.paragraphFormat(4), ParagraphFormat());
    view.setText(QStringLiteral("x"));
    QCOMPARE(view.paragraphFormat(0), ParagraphFormat());
}

QTEST_GUILESS_MAIN(TestScriptView)
#include "tst_scriptview.moc"
