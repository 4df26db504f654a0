#pragma once
// The files the dry run's benchmarks read.

#include <QFile>
#include <QString>

/// A UTF-8 file's text; a file that cannot be read ends the benchmark.
inline QString ReadUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}
