// Choosing and loading the source script: refusals, messages, remarks and the red path edit.

#include "WizardFixture.h"
#include "project/TfmSetup.h"

class TestScript : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chooseRecordsDialogAndEmptiesViews();
    void chooseCancelledChangesNothing();
    void acceptedScript_data();
    void acceptedScript();
    void refusedScriptRemarks();
    void syntaxErrorsListed_data();
    void syntaxErrorsListed();
    void unreadableFile_data();
    void unreadableFile();
    void emptyPathDoesNothing();
};

void TestScript::chooseRecordsDialogAndEmptiesViews()
{
    Wizard w;
    auto& f = w.form;
    w.loadText(Wizard::simpleScript());
    QVERIFY(!f.rEdit.isEmpty());
    f.rGenAFL.setText(QStringLiteral("g"));
    f.rUwagi.setText(QStringLiteral("u"));
    f.leAFL.setInvalid(true);
    TfmSetup setup(w.dialogs, w.dir.filePath(QStringLiteral("Orvanta.ini")));
    setup.leAFLDir.setText(QStringLiteral("/formulas/custom/"));
    f.setSetup(&setup);
    w.dialogs.queueFile(w.dir.filePath(QStringLiteral("other.afl")));
    f.Button11.click();
    QVERIFY(f.rEdit.isEmpty());
    QVERIFY(f.rGenAFL.isEmpty());
    QVERIFY(f.rUwagi.isEmpty());
    QVERIFY(!f.leAFL.isInvalid());
    QCOMPARE(f.leAFL.text(), w.dir.filePath(QStringLiteral("other.afl")));
    const App::FileDialog& asked = w.dialogs.fileDialogs().last();
    QCOMPARE(asked.objectName, QStringLiteral("svOpenAFL"));
    QCOMPARE(asked.title, QStringLiteral("Otwórz skrypt AFL"));
    QCOMPARE(asked.filter, QStringLiteral("Plik AFL|*afl|Plik tekstowy|*.txt|Dowolny plik|*.*"));
    QCOMPARE(asked.defaultExt, QStringLiteral("*.afl"));
    QCOMPARE(asked.mode, App::FileDialog::Mode::Open);
    QCOMPARE(asked.initialDir, QStringLiteral("/formulas/custom/"));
    // The dialog object remembers the last name it returned.
    QCOMPARE(asked.fileName, w.dir.filePath(QStringLiteral("script.afl")));
    QVERIFY(!w.dialogs.failed());
}

void TestScript::chooseCancelledChangesNothing()
{
    Wizard w;
    auto& f = w.form;
    w.loadText(Wizard::simpleScript());
    const QString path = f.leAFL.text();
    w.dialogs.queueCancel();
    f.Button11.click();
    QCOMPARE(f.leAFL.text(), path);
    QVERIFY(!f.rEdit.isEmpty());
}

void TestScript::acceptedScript_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("plain") << Wizard::simpleScript();
    QTest::newRow("voxBuy only in a comment")
        << QByteArray("Buy = C > O; // voxBuy(\"X\")\r\n/* voxInit(); */\r\nSell = C < O;\r\n");
    QTest::newRow("no Sell") << QByteArray("Buy = C > O;\r\n");
}

void TestScript::acceptedScript()
{
    QFETCH(QByteArray, script);
    Wizard w;
    auto& f = w.form;
    f.pcEdits.setCurrentIndex(2);
    f.rGenAFL.setText(QStringLiteral("old"));
    w.loadText(script);
    QVERIFY(f.ScriptAccepted);
    QVERIFY(w.dialogs.messages().isEmpty());
    QVERIFY(f.btDalej.isEnabled());
    QVERIFY(f.ProjectModified);
    QVERIFY(f.rGenAFL.isEmpty());
    QCOMPARE(f.pcEdits.currentIndex(), 0);
    QVERIFY(f.rUwagi.isEmpty()); // remarks of an accepted script are not shown
    QCOMPARE(f.projectData.SourcePath, f.leAFL.text());
    QCOMPARE(f.SourceLines.value(), f.rEdit.lines());
    QVERIFY(!f.Zapisz1.isEnabled()); // no project file yet
    // the view is coloured: the comment is not black
    if (script.startsWith("//"))
        QVERIFY(f.rEdit.charColourAt(0) != Lex::Colours::Black);
}

void TestScript::refusedScriptRemarks()
{
    Wizard w;
    auto& f = w.form;
    w.walkTo(2); // a script was accepted and two pages answered
    w.loadText("voxInit();\r\nBuy = C > O;\r\nvoxBuy(\"KGHM\", 1, 0);\r\n");
    QVERIFY(!f.ScriptAccepted);
    QCOMPARE(w.dialogs.messages().size(), 1);
    const auto& m = w.dialogs.messages().first();
    QCOMPARE(m.caption, QStringLiteral("Orvanta"));
    QCOMPARE(m.text, QStringLiteral("Znaleziono odwołania do funkcji plugina!\r\nSkrypt AFL nie "
                                    "może być redagowany za pomocą tego edytora!"));
    QCOMPARE(m.buttons, App::Buttons::Ok);
    QCOMPARE(m.icon, App::Icon::None);
    const QStringList expected = {
        QString(),
        QStringLiteral(
            "W oryginalnum kodzie AFL znaleziono wywołania następujących funkcji plugina:"),
        QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału SELL!"),
        QStringLiteral("   voxInit"),
        QStringLiteral("   voxBuy"),
        QString(),
        QStringLiteral("Należy usunąć wszelkie odwołania do funkcji plugina"),
        QString(),
        QStringLiteral("Skrypt AFL nie może być redagowany za pomocą tego edytora!")};
    QCOMPARE(f.rUwagi.lines(), expected);
    QCOMPARE(f.pcEdits.currentIndex(), 2);
    QVERIFY(!f.btDalej.isEnabled());
    QCOMPARE(w.visibleTabs(), QList<int>{0});
    QCOMPARE(f.pcTab.currentIndex(), 0);
    QVERIFY(!f.ProjectModified);
    QVERIFY(f.SourceLines.has_value());
    QVERIFY(f.SourceLines->isEmpty());
    QVERIFY(f.projectData.SourcePath.isEmpty());
    for (int i = 0; i < 6; ++i)
        QVERIFY(!f.StepDone[i]);
    QVERIFY(!f.rEdit.isEmpty()); // the refused script stays visible
}

// A syntax error refuses nothing: the remarks list the errors after what loading wrote.
void TestScript::syntaxErrorsListed_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("remarks");
    const QStringList errors{QString(),
                             QStringLiteral("W oryginalnym kodzie AFL wykryto błędy składni:"),
                             QStringLiteral("wiersz 2, znak 9: brak średnika"),
                             QStringLiteral("wiersz 3, znak 5: niedomknięty nawias")};
    QTest::newRow("accepted") << QByteArray("Buy = 1;\r\nSell = 0\r\nx = (1;\r\n") << true
                              << errors;
    QTest::newRow("refused")
        << QByteArray("Buy = 1;\r\nSell = 0\r\nx = (1; voxInit();\r\n") << false
        << QStringList{QString(),
                       QStringLiteral("W oryginalnum kodzie AFL znaleziono wywołania następujących "
                                      "funkcji plugina:"),
                       QStringLiteral("   voxInit"),
                       QString(),
                       QStringLiteral("Należy usunąć wszelkie odwołania do funkcji plugina"),
                       QString(),
                       QStringLiteral(
                           "Skrypt AFL nie może być redagowany za pomocą tego edytora!")} +
               errors;
}

void TestScript::syntaxErrorsListed()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, accepted);
    QFETCH(QStringList, remarks);
    Wizard w;
    auto& f = w.form;
    w.loadText(script);
    QCOMPARE(f.ScriptAccepted, accepted);
    QCOMPARE(f.btDalej.isEnabled(), accepted);
    QCOMPARE(f.rUwagi.lines(), remarks);
    QCOMPARE(f.pcEdits.currentIndex(), 2);
}

void TestScript::unreadableFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("text");
    const QString base = QStringLiteral("Uwaga! Nie został wczytany kod AFL");
    QTest::newRow("empty") << QByteArray() << true << base;
    QTest::newRow("missing") << QByteArray() << false << base;
    QTest::newRow("NUL bytes") << QByteArray("Buy = 1;\0Sell = 0;\r\n", 20) << true
                               << base + QStringLiteral("\r\nPlik nie jest plikiem tekstowym.");
}

void TestScript::unreadableFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, create);
    QFETCH(QString, text);
    Wizard w;
    auto& f = w.form;
    const QString path = create ? w.write(QStringLiteral("bad.afl"), bytes)
                                : w.dir.filePath(QStringLiteral("absent.afl"));
    w.load(path);
    QCOMPARE(w.dialogs.messages().size(), 1);
    const auto& m = w.dialogs.messages().first();
    QCOMPARE(m.caption, QStringLiteral("Orvanta"));
    QCOMPARE(m.text, text);
    QCOMPARE(m.icon, App::Icon::Warning);
    QCOMPARE(m.buttons, App::Buttons::Ok);
    QVERIFY(f.leAFL.isInvalid());
    QVERIFY(f.rEdit.isEmpty());
    QVERIFY(!f.btDalej.isEnabled());
    QVERIFY(!f.ProjectModified);
}

void TestScript::emptyPathDoesNothing()
{
    Wizard w;
    auto& f = w.form;
    f.Button7.setEnabled(true);
    f.Button7.click();
    QVERIFY(!f.SourceLines.has_value());
    QVERIFY(w.dialogs.messages().isEmpty());
}

QTEST_GUILESS_MAIN(TestScript)
#include "tst_script.moc"
