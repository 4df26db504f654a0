#pragma once
// Runs the command line in-process for tests and keeps what it wrote.

#include "cli/CommandLine.h"

#include <QBuffer>
#include <QStringList>

struct CliRun
{
    int status = -1;
    QByteArray bytes; // standard output as written
    QString out;      // standard output read as UTF-8
    QString err;

    /// The lines of standard error that give a reason ("orvanta: ...").
    QStringList reasons() const
    {
        QStringList found;
        for (const QString& line : err.split(u'\n')) {
            if (line.startsWith(QLatin1String("orvanta: ")))
                found.append(line);
        }
        return found;
    }
};

inline CliRun runCli(const QStringList& args)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    CliRun run;
    run.status = Cli::execute(args, out, err);
    run.bytes = out.data();
    run.out = QString::fromUtf8(run.bytes);
    run.err = QString::fromUtf8(err.data());
    return run;
}
