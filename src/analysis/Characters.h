#pragma once
// Character classes of the scans: word characters, white space, case folding.

#include <array>

#include <QChar>
#include <QString>
#include <QStringView>

namespace Lex {

namespace Detail {
// The ASCII word characters, one flag per code unit.
inline constexpr auto AsciiWordChars = [] {
    std::array<bool, 128> flags{};
    for (int c = 0; c < 128; ++c)
        flags[std::size_t(c)] =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return flags;
}();
} // namespace Detail

/// Word characters of whole-word searches: letters, digits and '_'.
inline bool IsWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return Detail::AsciiWordChars[u];
    return c.isLetterOrNumber();
}

/// White space of the scans: blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsWhitespace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

/// A code unit under simple case folding, as searches ignoring case compare them.
inline char16_t FoldCodeUnit(char16_t c)
{
    if (c < 128)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

/// word with every code unit case-folded.
inline QString FoldedWord(QStringView word)
{
    QString folded(word.size(), Qt::Uninitialized);
    QChar* d = folded.data();
    for (qsizetype i = 0; i < word.size(); ++i)
        d[i] = QChar(FoldCodeUnit(word[i].unicode()));
    return folded;
}

} // namespace Lex
