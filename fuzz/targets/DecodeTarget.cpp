// The text decoder and encoder at the program's edges.

#include "FuzzTargets.h"
#include "platform/TextFile.h"

#include <QFile>

namespace Fuzz {

int Decode(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Platform::ReadResult result = Platform::DecodeText(bytes);
    FUZZ_CHECK(result.ok == !bytes.contains('\0'));
    FUZZ_CHECK(result.refused == !result.ok);
    if (!result.ok)
        return 0;

    FUZZ_CHECK(result.lines == Platform::SplitLines(result.text));
    Platform::Encoding decodedAs = Platform::Encoding::Windows1250;
    FUZZ_CHECK(result.text == Platform::DecodeBytes(bytes, &decodedAs));
    FUZZ_CHECK(decodedAs == result.encoding);
    if (result.encoding == Platform::Encoding::Utf8)
        FUZZ_CHECK(result.text.toUtf8() == bytes);
    if (result.encoding == Platform::Encoding::Utf8Bom)
        FUZZ_CHECK("\xEF\xBB\xBF" + result.text.toUtf8() == bytes);

    // Whatever was read, written back in the encoding it came in, reads back the same.
    Platform::Encoding used = result.encoding;
    const QByteArray written = Platform::EncodeText(result.text, result.encoding, &used);
    FUZZ_CHECK(!written.contains('\0'));
    FUZZ_CHECK(Platform::DecodeText(written).text == result.text);
    FUZZ_CHECK((used == Platform::Encoding::Windows1250) ==
               (result.encoding == Platform::Encoding::Windows1250 &&
                Platform::FitsWindows1250(result.text)));

    // The file reader agrees with the decoder.
    const QString path = ScratchDir() + QStringLiteral("/decode.txt");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    const Platform::ReadResult fromFile = Platform::ReadTextFile(path);
    FUZZ_CHECK(fromFile.ok && fromFile.text == result.text && fromFile.lines == result.lines);
    return 0;
}

} // namespace Fuzz
