#pragma once
// Splits a fuzz input into strings (taken from the front) and numbers (taken from the back).

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

namespace Fuzz {

/// Reads an input the way libFuzzer's data provider does, so that seed files stay readable:
/// strings come from the front and end at a backslash followed by another character ("\\"
/// stands for one backslash), numbers come from the last bytes. An exhausted input gives
/// empty strings and the lowest numbers.
class ByteReader
{
public:
    ByteReader(const std::uint8_t* data, std::size_t size);

    /// The next string of at most maxLength bytes.
    QByteArray takeBytes(int maxLength);
    /// takeBytes decoded as UTF-8.
    QString takeText(int maxLength);
    /// A number in [low, high].
    int takeInt(int low, int high);
    bool takeFlag() { return takeInt(0, 1) == 1; }
    /// Everything not taken yet.
    QByteArray rest();

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

} // namespace Fuzz
