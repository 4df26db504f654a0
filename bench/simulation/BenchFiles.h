#pragma once
// The files the dry run's benchmarks read.

#include "simulation/Quotes.h"

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

/// The golden finished script of the demo project, which the command-line tests keep equal to
/// what the generator writes.
inline QString DemoScript()
{
    return ReadUtf8(QStringLiteral(ORVANTA_SOURCE_DIR "/tests/data/cli/demo.expected.afl"));
}

/// The synthetic demo quotes; quotes that cannot be read end the benchmark.
inline Sim::Quotes DemoQuotes()
{
    const Sim::QuotesRead read = Sim::ReadQuotes(
        ReadUtf8(QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv")));
    if (!read.ok())
        qFatal("%s", qPrintable(read.message()));
    return read.quotes;
}
