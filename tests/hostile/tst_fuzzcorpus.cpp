// Replays every kept input of the fuzz corpus (seeds and past findings) through its target.

#include "FuzzTargets.h"

#include <QDir>
#include <QtTest>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Fuzz::SetThrowOnFailure(true); }

    void corpus_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        int inputs = 0;
        for (const Fuzz::TargetInfo& info : Fuzz::Targets()) {
            const QString target = QString::fromLatin1(info.name);
            const QDir dir(QStringLiteral(ORVANTA_FUZZ_CORPUS "/") + target);
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            QVERIFY2(!files.isEmpty(), qPrintable(target + QStringLiteral(": no seed corpus")));
            for (const QString& file : files) {
                QTest::newRow(qPrintable(target + u'/' + file)) << target << dir.filePath(file);
                ++inputs;
            }
        }
        QVERIFY(inputs > 0);
    }

    void corpus()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const Fuzz::Target run = Fuzz::FindTarget(qPrintable(target));
        QVERIFY(run);
        try {
            QCOMPARE(run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         std::size_t(bytes.size())),
                     0);
        } catch (const Fuzz::PropertyFailure& failure) {
            QFAIL(qPrintable(failure.what));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
