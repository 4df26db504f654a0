// Tests of writing and reading project files.

#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/Page.h"
#include "controls/RadioGroup.h"
#include "project/Projekt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Controls;

namespace {

struct Pages
{
    Page start{QStringLiteral("tbStart"), QStringLiteral("Start")};
    Page general{QStringLiteral("tbOgolne"), QStringLiteral("Ogólne")};
    LabeledEdit leAFL{QStringLiteral("leAFL"), QStringLiteral("AFL")};
    CheckBox cbComments{QStringLiteral("cbComments"), QString(), CheckState::Checked};
    RadioGroup rgTicker{
        QStringLiteral("rgTicker"), QString(), {QStringLiteral("a"), QStringLiteral("b")}};
    Edit edName{QStringLiteral("edName")};
    bool stepDone[3] = {true, false, true};

    Pages()
    {
        start.add(&leAFL);
        start.add(&cbComments);
        general.add(&rgTicker);
        general.add(&edName);
    }
    QList<Page*> list() { return {&start, &general}; }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TstProjekt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveWritesKeysInOrder();
    void saveOverAFileKeepsForeignKeysAndOrder();
    void failedSaveKeepsProjectPath();
    void roundTrip();
    void notAProject_data();
    void notAProject();

private:
    QTemporaryDir m_dir;
};

void TstProjekt::saveWritesKeysInOrder()
{
    Pages pages;
    pages.leAFL.setText(QStringLiteral("C:/AFL/ma.afl"));
    pages.rgTicker.setItemIndex(1);
    Projekt::ProjectData data;
    data.SourcePath = QStringLiteral("/home/u/ma.afl");
    data.Build = -7;
    const QString path = m_dir.filePath(QStringLiteral("order.afp"));
    const Platform::WriteResult r = Projekt::SaveProject(path, data, pages.list(), pages.stepDone);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(data.ProjectPath, path);
    QCOMPARE(readAll(path), QByteArray("[DATA]\r\nEdytorAFL=Projekt\r\nFilename=/home/u/ma.afl\r\n"
                                       "Build=-7\r\nleAFL=C:/AFL/ma.afl\r\ncbComments=1\r\n"
                                       "rgTicker=1\r\nedName=\r\npanel0=1\r\npanel1=0\r\n"
                                       "panel2=1\r\n"));
}

void TstProjekt::saveOverAFileKeepsForeignKeysAndOrder()
{
    const QString path = m_dir.filePath(QStringLiteral("foreign.afp"));
    writeAll(path, "; mine\r\n[DATA]\r\npanel0=0\r\nExtra=x\r\nEdytorAFL=Projekt\r\n[Other]\r\n"
                   "a=1\r\n");
    Pages pages;
    Projekt::ProjectData data;
    QVERIFY(Projekt::SaveProject(path, data, pages.list(), pages.stepDone).ok);
    QCOMPARE(readAll(path), QByteArray("; mine\r\n[DATA]\r\npanel0=1\r\nExtra=x\r\n"
                                       "EdytorAFL=Projekt\r\nFilename=\r\nBuild=0\r\nleAFL=\r\n"
                                       "cbComments=1\r\nrgTicker=-1\r\nedName=\r\npanel1=0\r\n"
                                       "panel2=1\r\n[Other]\r\na=1\r\n"));
}

void TstProjekt::failedSaveKeepsProjectPath()
{
    Pages pages;
    Projekt::ProjectData data;
    data.ProjectPath = QStringLiteral("/old.afp");
    const QString path = m_dir.filePath(QStringLiteral("missing/p.afp"));
    const Platform::WriteResult r = Projekt::SaveProject(path, data, pages.list(), pages.stepDone);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(data.ProjectPath, QStringLiteral("/old.afp"));
}

void TstProjekt::roundTrip()
{
    const QString path = m_dir.filePath(QStringLiteral("round.afp"));
    {
        Pages pages;
        pages.leAFL.setText(QStringLiteral(" \"Mój skrypt\" "));
        pages.cbComments.setChecked(false);
        pages.rgTicker.setItemIndex(1);
        pages.edName.setText(QString(300, u'W'));
        Projekt::ProjectData data;
        data.SourcePath = QStringLiteral("/tmp/a b/ł.afl");
        data.Build = 12;
        QVERIFY(Projekt::SaveProject(path, data, pages.list(), pages.stepDone).ok);
    }
    Pages pages;
    bool done[3] = {false, true, false};
    Projekt::ProjectData data;
    QCOMPARE(Projekt::LoadProject(path, data, pages.list(), done), 0);
    QCOMPARE(data.ProjectPath, path);
    QCOMPARE(data.SourcePath, QStringLiteral("/tmp/a b/ł.afl"));
    QCOMPARE(data.Build, 12);
    QCOMPARE(pages.leAFL.text(), QStringLiteral(" \"Mój skrypt\" "));
    QVERIFY(!pages.cbComments.isChecked());
    QCOMPARE(pages.rgTicker.itemIndex(), 1);
    QCOMPARE(pages.edName.text(), QString(300, u'W'));
    QCOMPARE(done[0], true);
    QCOMPARE(done[1], false);
    QCOMPARE(done[2], true);
}

void TstProjekt::notAProject_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::newRow("lower-case marker") << QByteArray("[DATA]\r\nEdytorAFL=projekt\r\nBuild=3\r\n");
    QTest::newRow("marker missing") << QByteArray("[DATA]\r\nBuild=3\r\n");
    QTest::newRow("marker in another section")
        << QByteArray("[Other]\r\nEdytorAFL=Projekt\r\n[DATA]\r\nBuild=3\r\n");
    QTest::newRow("a script") << QByteArray("Buy = C > O;\r\nSell = C < O;\r\n");
    QTest::newRow("no file") << QByteArray();
}

void TstProjekt::notAProject()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QStringLiteral("np.afp"));
    QFile::remove(path);
    if (!content.isNull())
        writeAll(path, content);
    Pages pages;
    pages.edName.setText(QStringLiteral("kept"));
    bool done[3] = {true, true, true};
    Projekt::ProjectData data;
    data.ProjectPath = QStringLiteral("/current.afp");
    data.SourcePath = QStringLiteral("/current.afl");
    data.Build = 5;
    QCOMPARE(Projekt::LoadProject(path, data, pages.list(), done), -1);
    QCOMPARE(data.ProjectPath, QStringLiteral("/current.afp"));
    QCOMPARE(data.SourcePath, QStringLiteral("/current.afl"));
    QCOMPARE(data.Build, 5);
    QCOMPARE(pages.edName.text(), QStringLiteral("kept"));
    QVERIFY(done[0] && done[1] && done[2]);
    QCOMPARE(readAll(path), content);
}

QTEST_GUILESS_MAIN(TstProjekt)
#include "tst_projekt.moc"
