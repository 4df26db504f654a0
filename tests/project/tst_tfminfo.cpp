// Tests of the About window's information text: lines, character and paragraph formats.

#include "project/TfmInfo.h"

#include <QTest>

class TstTfmInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textIsBuiltOnceOnEveryShow();
    void paragraphFormats_data();
    void paragraphFormats();
    void onlyTheHeadingHasItsOwnFont();
};

void TstTfmInfo::textIsBuiltOnceOnEveryShow()
{
    TfmInfo info;
    info.FormShow();
    const QString first = info.reInfo.text();
    info.FormShow();
    QCOMPARE(info.reInfo.text(), first);
    QCOMPARE(info.reInfo.lines(), TfmInfo::InfoLines());
    QCOMPARE(info.reInfo.lineCount(), 14);
    QVERIFY(first.startsWith(
        QStringLiteral("Edytor skryptu AFL Amibrokera do współpracy z pluginem Tesmar.\r\n\r\n"
                       "Edytor \"obudowuje\" oryginalny kod AFL")));
    QVERIFY(first.endsWith(QStringLiteral("w bezpiecznych testach beztransakcyjnych.\r\n")));
}

void TstTfmInfo::paragraphFormats_data()
{
    QTest::addColumn<int>("line"); // 1-based
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("indented");
    QTest::addColumn<bool>("bullet");
    QTest::newRow("heading") << 1 << true << false << false;
    QTest::newRow("empty after heading") << 2 << false << false << false;
    QTest::newRow("first body line") << 3 << false << true << false;
    QTest::newRow("version line") << 5 << false << true << false;
    QTest::newRow("advice intro") << 8 << false << true << false;
    QTest::newRow("first bullet") << 9 << false << true << true;
    QTest::newRow("last bullet") << 14 << false << true << true;
    QTest::newRow("after the text") << 15 << false << true << false;
}

void TstTfmInfo::paragraphFormats()
{
    QFETCH(int, line);
    QFETCH(bool, centred);
    QFETCH(bool, indented);
    QFETCH(bool, bullet);
    TfmInfo info;
    info.FormShow();
    info.FormShow();
    const Lex::ParagraphFormat format = info.reInfo.paragraphFormat(line - 1);
    QCOMPARE(format.alignment == Lex::Alignment::Centre, centred);
    QCOMPARE(format.firstIndent, indented ? 10 : 0);
    QCOMPARE(format.restIndent, indented ? -10 : 0);
    QCOMPARE(format.bullet, bullet);
}

void TstTfmInfo::onlyTheHeadingHasItsOwnFont()
{
    TfmInfo info;
    info.FormShow();
    const Lex::ScriptView& view = info.reInfo;
    const int headingLength = int(TfmInfo::InfoLines().first().size());
    const QList<Lex::Run> runs = view.runs(0, view.length());
    QVERIFY(runs.size() >= 2);
    QCOMPARE(runs.first().start, 0);
    QCOMPARE(runs.first().length, headingLength);
    QCOMPARE(runs.first().styles, Lex::Styles(Lex::Bold));
    QCOMPARE(runs.first().size, 9);
    for (qsizetype i = 1; i < runs.size(); ++i) {
        QCOMPARE(runs.at(i).styles, Lex::Styles(Lex::NoStyle));
        QCOMPARE(runs.at(i).size, 0);
    }
    QCOMPARE(TfmInfo::StaticText3.left(9), QStringLiteral("Kontakt: "));
}

QTEST_GUILESS_MAIN(TstTfmInfo)
#include "tst_tfminfo.moc"
