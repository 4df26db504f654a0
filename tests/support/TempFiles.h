#pragma once
// Files that a test writes into a temporary folder of its own.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

/// A temporary folder, removed with the object, and the files written into it.
class TempFiles
{
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    /// Writes bytes into the file name of the folder and returns its path; a file that
    /// cannot be written ends the test program.
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString target = path(name);
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(target));
        return target;
    }

    /// Writes bytes into a new script file of the folder (s1.afl, s2.afl, ...).
    QString write(const QByteArray& bytes)
    {
        return write(QStringLiteral("s%1.afl").arg(++m_count), bytes);
    }

    const QTemporaryDir& dir() const { return m_dir; }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

} // namespace TestSupport
