#pragma once
// Golden files: long exact texts kept under tests/data/.

#include <QFile>
#include <QString>

namespace TestSupport {

/// The text of the golden file at path (UTF-8; empty when missing). When actual differs from
/// it, actual is left beside it as path.new, which scripts/promote-golden puts in its place
/// once a person has read the difference.
inline QString Golden(const QString& path, const QString& actual)
{
    QFile file(path);
    const QString expected =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    if (actual != expected) {
        QFile out(path + QStringLiteral(".new"));
        if (out.open(QIODevice::WriteOnly))
            out.write(actual.toUtf8());
    }
    return expected;
}

} // namespace TestSupport
