#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Platform {

namespace {

const QByteArray Utf8BomBytes("\xEF\xBB\xBF", 3);

QString notTextMessage()
{
    return QStringLiteral("Plik nie jest plikiem tekstowym.");
}

QString tooLargeMessage()
{
    return QStringLiteral("Plik jest większy niż 16 MiB.");
}

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

ReadResult refused(const QString& message)
{
    ReadResult result;
    result.refused = true;
    result.error = message;
    return result;
}

} // namespace

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString DecodeBytes(const QByteArray& bytes, Encoding* used)
{
    Encoding encoding = Encoding::Windows1250;
    QString text;
    if (isAscii(bytes)) {
        // Plain ASCII reads the same in both; it counts as the single-byte code page so that
        // a later write does not switch such a file to UTF-8.
        text = QString::fromLatin1(bytes);
    } else {
        const bool bom = bytes.startsWith(Utf8BomBytes);
        // The decoder would also drop a second BOM; it is text and must survive a write.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
        text = utf8.decode(bom ? bytes.mid(3) : bytes);
        if (!utf8.hasError()) {
            encoding = bom ? Encoding::Utf8Bom : Encoding::Utf8;
        } else {
            QStringDecoder cp1250("windows-1250");
            text = cp1250.decode(bytes);
        }
    }
    if (used)
        *used = encoding;
    return text;
}

ReadResult DecodeText(const QByteArray& bytes)
{
    if (bytes.size() > MaxScriptSize)
        return refused(tooLargeMessage());
    if (bytes.contains('\0'))
        return refused(notTextMessage());

    ReadResult result;
    result.ok = true;
    result.text = DecodeBytes(bytes, &result.encoding);
    result.lines = SplitLines(result.text);
    return result;
}

ReadResult ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult result;
        result.error = file.errorString();
        return result;
    }
    if (file.size() > MaxScriptSize)
        return refused(tooLargeMessage());

    // Read in blocks so that a binary file is refused at its first NUL byte and a file that
    // grows while being read stops at the limit.
    QByteArray bytes;
    bytes.reserve(file.size());
    constexpr qint64 BlockSize = 64 * 1024;
    while (true) {
        const QByteArray block = file.read(BlockSize);
        if (block.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                ReadResult result;
                result.error = file.errorString();
                return result;
            }
            break;
        }
        if (block.contains('\0'))
            return refused(notTextMessage());
        bytes.append(block);
        if (bytes.size() > MaxScriptSize)
            return refused(tooLargeMessage());
    }
    return DecodeText(bytes);
}

bool FitsWindows1250(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            QStringEncoder cp1250("windows-1250");
            // The encoder converts only when its result becomes a byte array.
            const QByteArray bytes = cp1250.encode(text);
            return !cp1250.hasError();
        }
    }
    return true;
}

QByteArray EncodeText(const QString& text, Encoding preferred, Encoding* used)
{
    if (preferred == Encoding::Windows1250) {
        QStringEncoder cp1250("windows-1250");
        QByteArray bytes = cp1250.encode(text);
        // Windows-1250 bytes that also form valid UTF-8 (such as "Ół") would be read back
        // as UTF-8 and change; UTF-8 reads back as written.
        if (cp1250.isValid() && !cp1250.hasError() && (isAscii(bytes) || !isValidUtf8(bytes))) {
            if (used)
                *used = Encoding::Windows1250;
            return bytes;
        }
        preferred = Encoding::Utf8;
    }
    if (used)
        *used = preferred;
    QByteArray bytes = text.toUtf8();
    if (preferred == Encoding::Utf8Bom)
        bytes.prepend(Utf8BomBytes);
    return bytes;
}

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    WriteResult result;
    QSaveFile file(path);
    // Without a temporary file in the folder, write the target itself (then the old content
    // is not protected, but the file stays writable where the folder is not).
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (file.write(bytes) != bytes.size()) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

WriteResult WriteTextFile(const QString& path, const QString& text, Encoding preferred)
{
    Encoding used = preferred;
    const QByteArray bytes = EncodeText(text, preferred, &used);
    WriteResult result = WriteFileAtomically(path, bytes);
    result.encoding = used;
    result.outsideWindows1250 = used != Encoding::Windows1250 && !FitsWindows1250(text);
    return result;
}

} // namespace Platform
