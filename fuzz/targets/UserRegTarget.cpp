// The reader of Wine's user.reg: any text, and values written the way Wine escapes them.

#include "ByteReader.h"
#include "FuzzTargets.h"
#include "platform/GetAmiBrokerDir.h"

namespace Fuzz {

namespace {

const QString Key = QStringLiteral("Software\\TJP\\Broker\\Defaults");
const QString Value = QStringLiteral("LastGoodPath");

// A string as Wine writes it into a registry file.
QString escaped(const QString& s)
{
    QString out;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'"') {
            out += u'\\';
            out += c;
        } else if (u < 0x20) {
            out += QStringLiteral("\\%1").arg(int(u), 3, 8, QLatin1Char('0'));
        } else if (u >= 0x7f) {
            out += QStringLiteral("\\x%1").arg(int(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

int UserReg(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    const QString value = in.takeText(300);
    const QString otherKey = in.takeText(60);
    const QString otherValue = in.takeText(30);
    const QString text = QString::fromUtf8(in.rest());

    // Arbitrary text: no crash, and a found value never holds the raw quoting.
    (void)Platform::ReadWineRegistryString(text, Key, Value);
    (void)Platform::ReadWineRegistryString(text, otherKey, otherValue);

    // A value written by Wine's rules, in a key that follows the arbitrary text, reads back.
    const QString reg = QStringLiteral("WINE REGISTRY Version 2\n\n[Software\\\\TJP\\\\Broker\\\\"
                                       "Defaults] 1700000000\n#time=1d9\n\"LastGoodPath\"=\"") +
                        escaped(value) + QStringLiteral("\"\n");
    FUZZ_CHECK(Platform::ReadWineRegistryString(reg, Key, Value) == value);
    FUZZ_CHECK(Platform::ReadWineRegistryString(reg, Key.toUpper(), Value.toLower()) == value);
    if (!text.contains(u'[')) {
        // Without a header of its own the text cannot hide the key that follows it.
        FUZZ_CHECK(Platform::ReadWineRegistryString(text + u'\n' + reg, Key, Value) == value);
    }
    return 0;
}

} // namespace Fuzz
