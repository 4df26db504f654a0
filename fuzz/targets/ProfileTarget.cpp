// The INI reader and writer: writes read back, also after saving, and foreign lines survive.

#include "ByteReader.h"
#include "FuzzTargets.h"
#include "project/ProfileFile.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace Fuzz {

namespace {

// A section name as the program's callers use them: no line break, no ']' and no outer
// blanks (the reader trims those away).
QString sectionName(ByteReader& in)
{
    static const QString common[] = {QStringLiteral("DATA"), QStringLiteral("data"),
                                     QStringLiteral("App")};
    const int pick = in.takeInt(0, 3);
    if (pick < 3)
        return common[pick];
    QString name = in.takeText(12);
    name.remove(u'\r').remove(u'\n').remove(u']');
    return name.trimmed();
}

// A key name: no line break, no '=', not starting with '[' or ';', not empty.
QString keyName(ByteReader& in)
{
    static const QString common[] = {QStringLiteral("Filename"), QStringLiteral("edName"),
                                     QStringLiteral("EDNAME"), QStringLiteral("panel0")};
    const int pick = in.takeInt(0, 4);
    if (pick < 4)
        return common[pick];
    QString name = in.takeText(12);
    name.remove(u'\r').remove(u'\n').remove(u'=');
    // Trimmed after each cut: "[ [x" must not become " [x", which the writer trims into a
    // line that reads as a section header.
    name = name.trimmed();
    while (!name.isEmpty() && (name.front() == u'[' || name.front() == u';'))
        name = name.mid(1).trimmed();
    return name.isEmpty() ? QStringLiteral("k") : name;
}

QString valueText(ByteReader& in)
{
    const QByteArray bytes = in.takeBytes(40);
    if (in.takeFlag())
        return QString::fromUtf8(bytes);
    QStringDecoder cp1250("windows-1250");
    return cp1250.decode(bytes);
}

QString expectedRead(const QString& value)
{
    QString v = value;
    return v.replace(u'\r', u' ').replace(u'\n', u' ');
}

QStringList textLines(const QByteArray& bytes)
{
    return Platform::SplitLines(Platform::DecodeBytes(bytes));
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

struct Written
{
    QString section;
    QString key;
    QString value;
};

} // namespace

int Profile(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    const int writes = in.takeInt(0, 6);
    QList<Written> ops;
    for (int i = 0; i < writes; ++i) {
        Written op;
        op.section = sectionName(in);
        op.key = keyName(in);
        op.value = valueText(in);
        ops.append(op);
    }
    const QByteArray original = in.rest();
    const QString path = ScratchDir() + QStringLiteral("/profile.ini");
    writeBytes(path, original);

    Definicje::ProfileFile file(path);
    FUZZ_CHECK(file.exists());
    const Definicje::ProfileFile untouched(path);

    // Each write reads back at once; the last write of a name wins.
    QHash<QString, int> last; // folded "section\nkey" -> index into ops
    for (int i = 0; i < ops.size(); ++i) {
        const Written& op = ops.at(i);
        file.writeString(op.section, op.key, op.value);
        FUZZ_CHECK(file.readString(op.section, op.key) == expectedRead(op.value));
        last.insert((op.section + u'\n' + op.key).toCaseFolded(), i);
    }
    const auto writtenTo = [&](const QString& section, const QString& key) {
        return last.contains((section + u'\n' + key.trimmed()).toCaseFolded());
    };

    const Platform::WriteResult saved = file.save();
    FUZZ_CHECK(saved.ok);
    const QByteArray bytes = readBytes(path);
    FUZZ_CHECK(bytes == file.toBytes());
    if (ops.isEmpty())
        FUZZ_CHECK(bytes == original);

    // After saving, a fresh reader sees every value written and every key it did not touch.
    const Definicje::ProfileFile reread(path);
    for (const int i : std::as_const(last)) {
        const Written& op = ops.at(i);
        FUZZ_CHECK(reread.readString(op.section, op.key) == expectedRead(op.value));
    }
    for (const QString& section : untouched.sections()) {
        for (const QString& key : untouched.keys(section)) {
            if (!writtenTo(section, key))
                FUZZ_CHECK(reread.readString(section, key) == untouched.readString(section, key));
        }
    }

    // Every line of the original is still there, in order, unless it was a written key's line.
    const QStringList before = textLines(original);
    const QStringList after = textLines(bytes);
    qsizetype j = 0;
    for (const QString& line : before) {
        qsizetype k = j;
        while (k < after.size() && after.at(k) != line)
            ++k;
        if (k < after.size()) {
            j = k + 1;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        FUZZ_CHECK(eq >= 0);
        bool replaced = false;
        for (const Written& op : std::as_const(ops))
            replaced = replaced ||
                       line.left(eq).trimmed().compare(op.key.trimmed(), Qt::CaseInsensitive) == 0;
        FUZZ_CHECK(replaced);
    }
    return 0;
}

} // namespace Fuzz
