// Writes that cannot succeed (vanished or read-only folder, full disk), symlinked and
// oversized project files: the failure is reported and the old file stays whole.

#include "app/TForm1.h"
#include "cli/CommandLine.h"
#include "platform/TextFile.h"
#include "project/Projekt.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray OldContent = "[DATA]\r\nEdytorAFL=Projekt\r\n";
constexpr uid_t Nobody = 65534;

struct Outcome
{
    bool ok = false;
    QString error;
};

// Runs WriteFileAtomically in a child process that may have a file size limit (a full disk)
// and, when run as root, gives up root so that folder permissions apply.
Outcome writeInChild(const QString& path, const QByteArray& bytes, rlim_t sizeLimit)
{
    int fds[2];
    if (pipe(fds) != 0)
        qFatal("pipe failed");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        if (sizeLimit > 0) {
            const rlimit limit{sizeLimit, sizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0))
            _exit(3);
        const Platform::WriteResult result = Platform::WriteFileAtomically(path, bytes);
        const QByteArray report = (result.ok ? "1" : "0") + result.error.toUtf8();
        const bool sent =
            write(fds[1], report.constData(), size_t(report.size())) == ssize_t(report.size());
        _exit(sent ? 0 : 4);
    }
    close(fds[1]);
    QByteArray report;
    char buffer[512];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, qsizetype(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    Outcome outcome;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.isEmpty()) {
        outcome.error = QStringLiteral("child failed with status %1").arg(status);
        return outcome;
    }
    outcome.ok = report.startsWith('1');
    outcome.error = QString::fromUtf8(report.mid(1));
    return outcome;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

int runCli(const QStringList& args, QString* out, QString* err)
{
    QBuffer o;
    QBuffer e;
    o.open(QIODevice::WriteOnly);
    e.open(QIODevice::WriteOnly);
    const int status = Cli::execute(args, o, e);
    *out = QString::fromUtf8(o.data());
    *err = QString::fromUtf8(e.data());
    return status;
}

std::span<bool> steps(App::TForm1& form)
{
    return std::span<bool>(form.StepDone);
}

} // namespace

class TestHostileWrites : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_cases = 0;

    // A fresh folder that a dropped-root child can enter.
    QString freshFolder()
    {
        const QString path = m_dir.filePath(QStringLiteral("case%1").arg(++m_cases));
        if (!QDir().mkpath(path))
            qFatal("cannot create %s", qPrintable(path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther);
    }

    void failedWrite_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("oldFile");
        QTest::newRow("vanished folder") << QStringLiteral("vanished") << false;
        QTest::newRow("read-only folder, new file") << QStringLiteral("readonly") << false;
        QTest::newRow("read-only folder and file") << QStringLiteral("readonly") << true;
        QTest::newRow("full disk, new file") << QStringLiteral("full") << false;
        QTest::newRow("full disk, old file") << QStringLiteral("full") << true;
        QTest::newRow("path is a folder") << QStringLiteral("folder") << false;
    }
    void failedWrite()
    {
        QFETCH(QString, kind);
        QFETCH(bool, oldFile);
        const QString folder = freshFolder();
        QString path = folder + QStringLiteral("/projekt.afp");
        if (oldFile)
            writeFile(path, OldContent);
        if (kind == QLatin1String("vanished")) {
            path = folder + QStringLiteral("/gone/projekt.afp");
        } else if (kind == QLatin1String("readonly")) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther);
            if (oldFile)
                QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        }
        const QByteArray bytes(kind == QLatin1String("full") ? 1024 * 1024 : 100, 'x');
        const Outcome outcome =
            writeInChild(path, bytes, kind == QLatin1String("full") ? 64 * 1024 : 0);
        QVERIFY2(!outcome.ok, "the write was reported as done");
        QVERIFY(!outcome.error.isEmpty());
        QVERIFY2(!outcome.error.startsWith(QStringLiteral("child failed")),
                 qPrintable(outcome.error));
        if (oldFile)
            QCOMPARE(readAll(path), OldContent);
        // No temporary file is left behind.
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, oldFile ? QStringList{QStringLiteral("projekt.afp")} : QStringList());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Where the folder forbids a temporary file but the file itself may be written, the
    // file is written directly.
    void readOnlyFolderWritableFile()
    {
        const QString folder = freshFolder();
        const QString path = folder + QStringLiteral("/projekt.afp");
        writeFile(path, OldContent);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                        QFile::WriteOther);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
        const Outcome outcome = writeInChild(path, "nowa treść", 0);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QCOMPARE(readAll(path), QByteArray("nowa treść"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void fullDiskThroughWriteTextFile()
    {
        const QString folder = freshFolder();
        const QString path = folder + QStringLiteral("/wynik.afl");
        writeFile(path, OldContent);
        const pid_t pid = fork();
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            const Platform::WriteResult result =
                Platform::WriteTextFile(path, QString(100000, u'ż'));
            _exit(!result.ok && !result.error.isEmpty() ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readAll(path), OldContent);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // A project file that is a symlink: saving goes to the link's target and keeps the link.
    void symlinkProject()
    {
        const QString folder = freshFolder();
        const QString target = folder + QStringLiteral("/real.afp");
        const QString link = folder + QStringLiteral("/link.afp");
        QVERIFY(QFile::link(target, link));

        App::TForm1 form;
        form.edName.setText(QStringLiteral("KGHM"));
        QVERIFY(Projekt::SaveProject(link, form.projectData, form.optionPages(), steps(form)).ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo(target).isFile());
        QVERIFY(readAll(target).contains("edName=KGHM\r\n"));

        form.edName.setText(QStringLiteral("PKNORLEN"));
        QVERIFY(Projekt::SaveProject(link, form.projectData, form.optionPages(), steps(form)).ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(readAll(target).contains("edName=PKNORLEN\r\n"));

        App::TForm1 again;
        QCOMPARE(Projekt::LoadProject(link, again.projectData, again.optionPages(), steps(again)),
                 0);
        QCOMPARE(again.edName.text(), QStringLiteral("PKNORLEN"));
    }

    // A 100 KiB value is written, read and shown whole.
    void hugeValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("ASCII") << QString(100 * 1024, u'x');
        QTest::newRow("Polish") << QString(100 * 1024, u'ś');
        QTest::newRow("outside Windows-1250") << QString(100 * 1024, u'€').replace(0, 1, u'✓');
    }
    void hugeValue()
    {
        QFETCH(QString, value);
        const QString path = freshFolder() + QStringLiteral("/duzy.afp");
        App::TForm1 form;
        form.edName.setText(value);
        QVERIFY(Projekt::SaveProject(path, form.projectData, form.optionPages(), steps(form)).ok);

        App::TForm1 again;
        QCOMPARE(Projekt::LoadProject(path, again.projectData, again.optionPages(), steps(again)),
                 0);
        QCOMPARE(again.edName.text(), value);

        QString out;
        QString err;
        QCOMPARE(runCli({QStringLiteral("project"), QStringLiteral("set"), path,
                         QStringLiteral("edAccount=") + value},
                        &out, &err),
                 int(Cli::Success));
        QCOMPARE(runCli({QStringLiteral("project"), QStringLiteral("show"), path}, &out, &err),
                 int(Cli::Success));
        QVERIFY(out.contains(QStringLiteral("\nedName=") + value + u'\n'));
        QVERIFY(out.contains(QStringLiteral("\nedAccount=") + value + u'\n'));
    }

    // Files that are not projects are refused, whatever they hold.
    void notAProject_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray binary;
        for (int i = 0; i < 2048; ++i)
            binary += char(i * 13 % 256);
        QTest::newRow("binary") << binary;
        QTest::newRow("NUL in the marker") << QByteArray("[DATA]\r\nEdytorAFL=Pro\0jekt\r\n", 28);
        QTest::newRow("UTF-16 project") << QByteArray("\xFF\xFE[\0D\0A\0T\0A\0]\0", 14);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("marker in lower case") << QByteArray("[DATA]\r\nEdytorAFL=projekt\r\n");
    }
    void notAProject()
    {
        QFETCH(QByteArray, bytes);
        const QString path = freshFolder() + QStringLiteral("/obcy.afp");
        writeFile(path, bytes);
        App::TForm1 form;
        QCOMPARE(Projekt::LoadProject(path, form.projectData, form.optionPages(), steps(form)), -1);
        QString out;
        QString err;
        QCOMPARE(runCli({QStringLiteral("project"), QStringLiteral("show"), path}, &out, &err),
                 int(Cli::BadInput));
        QCOMPARE(err, QStringLiteral("orvanta: Plik %1 nie jest projektem.\n").arg(path));
        // "project set" does not turn the foreign file into a project.
        QCOMPARE(runCli({QStringLiteral("project"), QStringLiteral("set"), path,
                         QStringLiteral("edName=X")},
                        &out, &err),
                 int(Cli::BadInput));
        QCOMPARE(readAll(path), bytes);
    }
};

QTEST_GUILESS_MAIN(TestHostileWrites)
#include "tst_hostilewrites.moc"
