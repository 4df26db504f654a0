// The script view widget with a text long enough to go into its document a part at a time.

#include "ui/ScriptViewWidget.h"

#include <QTest>

class TestScriptViewWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void longTextArrivesWhole();
};

// The first part is there at once, the rest arrives while the event loop runs, and a text
// set meanwhile replaces the one still arriving.
void TestScriptViewWidget::longTextArrivesWhole()
{
    const int lines =
        Shell::ScriptViewWidget::FirstLines + 2 * Shell::ScriptViewWidget::LinesPerPart;
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QStringLiteral("line %1 = Close;").arg(i);
    Lex::ScriptView model;
    model.setLines(text);
    model.setRangeKind(0, 4, Lex::Kind::Language);
    Shell::ScriptViewWidget view(QStringLiteral("rEdit"));
    view.resize(400, 300);
    view.show();
    view.setModel(&model);
    QCOMPARE(view.document()->blockCount(), Shell::ScriptViewWidget::FirstLines);
    QTRY_COMPARE(view.document()->blockCount(), lines + 1);
    QCOMPARE(view.toPlainText(), text.join(u'\n') + u'\n');
    QVERIFY(view.formatAt(0).font().bold());

    model.setLines(text.mid(0, Shell::ScriptViewWidget::FirstLines + 10));
    view.refresh();
    model.setLines({QStringLiteral("x")});
    view.refresh();
    QCOMPARE(view.toPlainText(), QStringLiteral("x\n"));
    QTest::qWait(50);
    QCOMPARE(view.toPlainText(), QStringLiteral("x\n"));

    model.setLines(text);
    view.refresh();
    view.finishLoading();
    QCOMPARE(view.document()->blockCount(), lines + 1);
    QCOMPARE(view.formatAt(model.text().lastIndexOf(u'C')).foreground().color(), QColor(0, 0, 0));
}

QTEST_MAIN(TestScriptViewWidget)
#include "tst_scriptviewwidget.moc"
