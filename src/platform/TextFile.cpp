#include "platform/TextFile.h"

#include <memory>
#include <type_traits>
#include <uchardet/uchardet.h>

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

// Whether the detector takes bytes that are valid UTF-8 for UTF-8, as a text editor would.
// Only a verdict of another encoding turns them into Windows-1250; undecided keeps UTF-8.
bool looksLikeUtf8(const QByteArray& bytes)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.constData(), bytes.size()) != 0)
        return true;
    uchardet_data_end(detector.get());
    const QByteArray charset(uchardet_get_charset(detector.get()));
    return charset.isEmpty() || charset.compare("UTF-8", Qt::CaseInsensitive) == 0 ||
           charset.compare("ASCII", Qt::CaseInsensitive) == 0;
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
        // UTF-8 whose every character Windows-1250 has is taken as it is (read as
        // Windows-1250 it would be garbled); one with other characters may be Windows-1250
        // text whose bytes happen to be valid UTF-8, so the detector decides.
        if (!utf8.hasError() && (bom || FitsWindows1250(text) || looksLikeUtf8(bytes))) {
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
    // Each form is taken only when it reads back as written: Windows-1250 bytes that are
    // also valid UTF-8 may be read as UTF-8, and UTF-8 bytes may be taken for Windows-1250.
    const auto readsBack = [&text](const QByteArray& bytes, Encoding encoding) {
        Encoding read = Encoding::Windows1250;
        return DecodeBytes(bytes, &read) == text &&
               (read == encoding || (encoding == Encoding::Windows1250 && isAscii(bytes)));
    };
    if (preferred == Encoding::Windows1250) {
        QStringEncoder cp1250("windows-1250");
        QByteArray bytes = cp1250.encode(text);
        if (cp1250.isValid() && !cp1250.hasError() &&
            (isAscii(bytes) || !isValidUtf8(bytes) || readsBack(bytes, Encoding::Windows1250))) {
            if (used)
                *used = Encoding::Windows1250;
            return bytes;
        }
        preferred = Encoding::Utf8;
    }
    QByteArray bytes = text.toUtf8();
    // UTF-8 that the detector would take for a single-byte code page carries a BOM.
    if (preferred == Encoding::Utf8 && !isAscii(bytes) && !readsBack(bytes, Encoding::Utf8))
        preferred = Encoding::Utf8Bom;
    if (preferred == Encoding::Utf8Bom)
        bytes.prepend(Utf8BomBytes);
    if (used)
        *used = preferred;
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
