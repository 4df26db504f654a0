#include "syntax/Lexer.h"

#include "syntax/NameTable.h"

#include <array>

#include <QChar>

namespace Syntax {

namespace {

enum CharClass : std::uint8_t
{
    Letter = 1, // A-Z, a-z, _
    Digit = 2,
};

constexpr std::array<std::uint8_t, 128> makeClasses()
{
    std::array<std::uint8_t, 128> table{};
    for (int c = 'a'; c <= 'z'; ++c)
        table[std::size_t(c)] = Letter;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[std::size_t(c)] = Letter;
    table['_'] = Letter;
    for (int c = '0'; c <= '9'; ++c)
        table[std::size_t(c)] = Digit;
    return table;
}

constexpr std::array<std::uint8_t, 128> Classes = makeClasses();

// For ASCII identifier characters their folded form, for every other ASCII character 0.
constexpr std::array<std::uint8_t, 128> makeWordFold()
{
    std::array<std::uint8_t, 128> table{};
    for (int c = 0; c < 128; ++c) {
        if (Classes[std::size_t(c)])
            table[std::size_t(c)] = std::uint8_t(c >= 'A' && c <= 'Z' ? c | 0x20 : c);
    }
    return table;
}

constexpr std::array<std::uint8_t, 128> WordFold = makeWordFold();

bool isAsciiWordChar(char16_t c)
{
    return c < 0x80 && Classes[c] != 0;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Length (1 or 2) of the non-ASCII identifier character at p, or 0. start: whether it would
// begin the identifier (a mark or a digit may only continue one).
int unicodeWordChar(const char16_t* p, const char16_t* end, bool start)
{
    const char16_t c = *p;
    if (QChar::isHighSurrogate(c) && p + 1 != end && QChar::isLowSurrogate(p[1])) {
        const char32_t ucs = QChar::surrogateToUcs4(c, p[1]);
        if (QChar::isLetter(ucs) || (!start && (QChar::isNumber(ucs) || QChar::isMark(ucs))))
            return 2;
        return 0;
    }
    if (QChar::isLetter(c) || (!start && (QChar::isNumber(c) || QChar::isMark(c))))
        return 1;
    return 0;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

struct KeywordEntry
{
    const char16_t* word = nullptr;
    TokenKind kind = TokenKind::Identifier;
    std::uint32_t hash = 0;
};

constexpr KeywordEntry Keywords[] = {
    {u"if", TokenKind::If},
    {u"or", TokenKind::Or},
    {u"do", TokenKind::Do},
    {u"for", TokenKind::For},
    {u"and", TokenKind::And},
    {u"not", TokenKind::Not},
    {u"else", TokenKind::Else},
    {u"case", TokenKind::Case},
    {u"while", TokenKind::While},
    {u"break", TokenKind::Break},
    {u"local", TokenKind::Local},
    {u"switch", TokenKind::Switch},
    {u"return", TokenKind::Return},
    {u"global", TokenKind::Global},
    {u"default", TokenKind::Default},
    {u"continue", TokenKind::Continue},
    {u"function", TokenKind::Function},
    {u"procedure", TokenKind::Procedure},
};

constexpr std::uint32_t keywordHash(const char16_t* word)
{
    std::uint32_t h = NameTable::HashSeed;
    for (; *word; ++word)
        h = (h ^ *word) * 16777619u;
    return h;
}

// The keywords by the hash of their spelling, in open addressing; most identifiers miss at
// the first slot.
constexpr int KeywordSlots = 64;

constexpr std::array<KeywordEntry, KeywordSlots> makeKeywordTable()
{
    std::array<KeywordEntry, KeywordSlots> table{};
    for (const KeywordEntry& k : Keywords) {
        const std::uint32_t h = keywordHash(k.word);
        std::uint32_t i = h % KeywordSlots;
        while (table[i].word)
            i = (i + 1) % KeywordSlots;
        table[i] = {k.word, k.kind, h};
    }
    return table;
}

constexpr auto KeywordTable = makeKeywordTable();

// Case-insensitive comparison of word with a lower-case ASCII keyword.
bool equalsKeyword(const char16_t* word, qsizetype length, const char16_t* keyword)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (!keyword[i])
            return false;
        const char16_t c = word[i];
        if (c >= 0x80 || char16_t(c | 0x20) != keyword[i])
            return false;
    }
    return keyword[length] == 0;
}

} // namespace

Lexer::Lexer(QStringView text)
    : m_text(text)
    , m_begin(text.utf16())
    , m_end(text.utf16() + text.size())
    , m_pos(text.utf16())
{
    m_lineStarts.reserve(std::size_t(text.size() / 32 + 1));
    m_lineStarts.push_back(0);
    // A byte-order mark at the very start is not text.
    if (m_pos != m_end && *m_pos == 0xFEFF)
        ++m_pos;
}

TokenKind Lexer::keyword(QStringView word)
{
    return keyword(word, NameTable::hash(word));
}

[[gnu::always_inline]] inline TokenKind Lexer::keyword(QStringView word, std::uint32_t hash)
{
    const qsizetype n = word.size();
    if (n < 2 || n > 9 || !KeywordTable[hash % KeywordSlots].word)
        return TokenKind::Identifier;
    for (std::uint32_t i = hash % KeywordSlots; KeywordTable[i].word; i = (i + 1) % KeywordSlots) {
        if (KeywordTable[i].hash == hash && equalsKeyword(word.utf16(), n, KeywordTable[i].word))
            return KeywordTable[i].kind;
    }
    return TokenKind::Identifier;
}

const char16_t* Lexer::lineBreak(const char16_t* p, std::uint8_t& flags)
{
    if (*p == u'\r' && p + 1 != m_end && p[1] == u'\n')
        ++p;
    ++p;
    newLine(p);
    flags |= Token::NewlineBefore;
    return p;
}

const char16_t* Lexer::skipTrivia(const char16_t* p, std::uint8_t& flags)
{
    for (;;) {
        if (p == m_end)
            return p;
        const char16_t c = *p;
        if (c == u' ' || c == u'\t') {
            ++p;
            continue;
        }
        if (c == u'\n' || c == u'\r') {
            p = lineBreak(p, flags);
            continue;
        }
        if (c == u'/' && p + 1 != m_end && (p[1] == u'/' || p[1] == u'*')) {
            const char16_t* start = p;
            p += 2;
            if (start[1] == u'/') {
                while (p != m_end && (*p > u'\r' || !isLineBreak(*p)))
                    ++p;
                m_comments.push_back({offsetOf(start), offsetOf(p)});
                continue;
            }
            bool closed = false;
            while (p != m_end) {
                const char16_t d = *p;
                if (d > u'*') {
                    ++p;
                } else if (d == u'*' && p + 1 != m_end && p[1] == u'/') {
                    p += 2;
                    closed = true;
                    break;
                } else if (d == u'\n' || d == u'\r') {
                    p = lineBreak(p, flags);
                } else {
                    ++p;
                }
            }
            m_comments.push_back({offsetOf(start), offsetOf(p)});
            if (!closed)
                m_errors.push_back({offsetOf(start), DiagnosticKind::UnclosedComment});
            continue;
        }
        if (c == u'\f' || c == u'\v' || (c >= 0x80 && QChar::isSpace(c))) {
            ++p;
            continue;
        }
        return p;
    }
}

// The body of next(), inlined into fill() so that a batch of tokens costs one call.
[[gnu::always_inline]] inline Token Lexer::scan()
{
    std::uint8_t flags = 0;
    const char16_t* p = m_pos;
    // Most often a token starts right here or after a blank; the rest is out of line.
    while (p != m_end && *p == u' ')
        ++p;
    if (p == m_end || *p <= u' ' || *p == u'/' || *p >= 0x80) [[unlikely]] {
        p = skipTrivia(p, flags);
        if (p == m_end) {
            m_pos = p;
            return {TokenKind::End, flags, offsetOf(p), 0};
        }
    }
    const char16_t* start = p;
    const char16_t c = *p;
    TokenKind kind = TokenKind::Invalid;
    int length = 1;
    auto followedBy = [&](char16_t d) { return p + 1 != m_end && p[1] == d; };
    if (c < 0x80) {
        const std::uint8_t cls = Classes[c];
        if (cls == Letter)
            return identifier(start, flags);
        if (cls == Digit || (c == u'.' && p + 1 != m_end && isDigit(p[1])))
            return number(start, flags);
        switch (c) {
        case u'"':
            return string(start, flags);
        case u'#':
            return directive(start, flags);
        case u'(':
            kind = TokenKind::LeftParen;
            break;
        case u')':
            kind = TokenKind::RightParen;
            break;
        case u'[':
            kind = TokenKind::LeftBracket;
            break;
        case u']':
            kind = TokenKind::RightBracket;
            break;
        case u'{':
            kind = TokenKind::LeftBrace;
            break;
        case u'}':
            kind = TokenKind::RightBrace;
            break;
        case u',':
            kind = TokenKind::Comma;
            break;
        case u';':
            kind = TokenKind::Semicolon;
            break;
        case u'?':
            kind = TokenKind::Question;
            break;
        case u':':
            kind = TokenKind::Colon;
            break;
        case u'.':
            kind = TokenKind::Dot;
            break;
        case u'^':
            kind = TokenKind::Caret;
            break;
        case u'@':
            kind = TokenKind::At;
            break;
        case u'+':
            kind = followedBy(u'+')   ? (length = 2, TokenKind::PlusPlus)
                   : followedBy(u'=') ? (length = 2, TokenKind::PlusAssign)
                                      : TokenKind::Plus;
            break;
        case u'-':
            kind = followedBy(u'-')   ? (length = 2, TokenKind::MinusMinus)
                   : followedBy(u'=') ? (length = 2, TokenKind::MinusAssign)
                                      : TokenKind::Minus;
            break;
        case u'*':
            kind = followedBy(u'=') ? (length = 2, TokenKind::StarAssign) : TokenKind::Star;
            break;
        case u'/':
            kind = followedBy(u'=') ? (length = 2, TokenKind::SlashAssign) : TokenKind::Slash;
            break;
        case u'%':
            kind = followedBy(u'=') ? (length = 2, TokenKind::PercentAssign) : TokenKind::Percent;
            break;
        case u'<':
            kind = followedBy(u'=')   ? (length = 2, TokenKind::LessEqual)
                   : followedBy(u'>') ? (length = 2, TokenKind::NotEqual)
                                      : TokenKind::Less;
            break;
        case u'>':
            kind = followedBy(u'=') ? (length = 2, TokenKind::GreaterEqual) : TokenKind::Greater;
            break;
        case u'=':
            kind = followedBy(u'=') ? (length = 2, TokenKind::EqualEqual) : TokenKind::Assign;
            break;
        case u'!':
            kind = followedBy(u'=') ? (length = 2, TokenKind::NotEqual) : TokenKind::Bang;
            break;
        case u'&':
            kind = followedBy(u'&')   ? (length = 2, TokenKind::AmpAmp)
                   : followedBy(u'=') ? (length = 2, TokenKind::AmpAssign)
                                      : TokenKind::Amp;
            break;
        case u'|':
            kind = followedBy(u'|')   ? (length = 2, TokenKind::PipePipe)
                   : followedBy(u'=') ? (length = 2, TokenKind::PipeAssign)
                                      : TokenKind::Pipe;
            break;
        default:
            break;
        }
    } else if (unicodeWordChar(p, m_end, true)) {
        return identifier(start, flags);
    } else if (QChar::isHighSurrogate(c) && p + 1 != m_end && QChar::isLowSurrogate(p[1])) {
        length = 2;
    }
    if (kind == TokenKind::Invalid) {
        flags |= Token::Malformed;
        m_errors.push_back({offsetOf(start), DiagnosticKind::UnexpectedCharacter});
    }
    m_pos = start + length;
    return {kind, flags, offsetOf(start), length};
}

Token Lexer::next()
{
    return scan();
}

int Lexer::fill(Token* out, int n)
{
    int count = 0;
    while (count < n) {
        out[count] = scan();
        if (out[count++].kind == TokenKind::End)
            break;
    }
    return count;
}

[[gnu::always_inline]] inline Token Lexer::identifier(const char16_t* start, std::uint8_t flags)
{
    // The hash of the folded name is made on the way, for the keyword check and the names.
    const char16_t* p = start;
    std::uint32_t hash = NameTable::HashSeed;
    for (;;) {
        while (p != m_end && *p < 0x80) {
            const std::uint8_t folded = WordFold[*p];
            if (!folded)
                break;
            hash = NameTable::hashStep(hash, folded);
            ++p;
        }
        if (p == m_end || *p < 0x80)
            break;
        const int n = unicodeWordChar(p, m_end, false);
        if (!n)
            break;
        for (int i = 0; i < n; ++i)
            hash = NameTable::hashStep(hash, NameTable::fold(p[i]));
        p += n;
    }
    m_pos = p;
    const int length = int(p - start);
    const TokenKind kind = (length >= 2 && length <= 9) ? keyword(QStringView(start, length), hash)
                                                        : TokenKind::Identifier;
    return {kind, flags, offsetOf(start), length, hash};
}

Token Lexer::number(const char16_t* start, std::uint8_t flags)
{
    const char16_t* p = start;
    while (p != m_end && isDigit(*p))
        ++p;
    if (p != m_end && *p == u'.') {
        ++p;
        while (p != m_end && isDigit(*p))
            ++p;
    }
    if (p != m_end && (*p == u'e' || *p == u'E')) {
        const char16_t* q = p + 1;
        if (q != m_end && (*q == u'+' || *q == u'-'))
            ++q;
        if (q != m_end && isDigit(*q)) {
            while (q != m_end && isDigit(*q))
                ++q;
            p = q;
        }
    }
    // Letters, digits or a point stuck to a number make one malformed number (10abc, 1.5.2, 1e).
    if (p != m_end &&
        (isAsciiWordChar(*p) || *p == u'.' || (*p >= 0x80 && unicodeWordChar(p, m_end, false)))) {
        while (p != m_end && (isAsciiWordChar(*p) || *p == u'.'))
            ++p;
        flags |= Token::Malformed;
        m_errors.push_back({offsetOf(start), DiagnosticKind::InvalidNumber});
    }
    m_pos = p;
    return {TokenKind::Number, flags, offsetOf(start), int(p - start)};
}

// A string goes on over the line break at p when the next line closes it: that line holds an
// odd number of quotes not escaped by a backslash.
bool Lexer::nextLineClosesString(const char16_t* p) const
{
    if (*p == u'\r' && p + 1 != m_end && p[1] == u'\n')
        ++p;
    int quotes = 0;
    for (++p; p != m_end && !isLineBreak(*p); ++p) {
        if (*p == u'"')
            ++quotes;
        else if (*p == u'\\' && p + 1 != m_end && !isLineBreak(p[1]))
            ++p;
    }
    return quotes % 2 == 1;
}

Token Lexer::string(const char16_t* start, std::uint8_t flags)
{
    const char16_t* p = start + 1;
    bool closed = false;
    while (p != m_end) {
        const char16_t c = *p;
        if (c == u'"') {
            ++p;
            closed = true;
            break;
        }
        if (isLineBreak(c)) {
            if (!nextLineClosesString(p))
                break;
            std::uint8_t inString = 0;
            p = lineBreak(p, inString);
            continue;
        }
        if (c == u'\\') {
            flags |= Token::HasEscape;
            ++p;
            if (p != m_end && !isLineBreak(*p))
                ++p;
            continue;
        }
        ++p;
    }
    if (!closed) {
        flags |= Token::Malformed;
        m_errors.push_back({offsetOf(start), DiagnosticKind::UnclosedString});
    }
    m_pos = p;
    m_strings.push_back({offsetOf(start), offsetOf(p)});
    return {TokenKind::String, flags, offsetOf(start), int(p - start)};
}

Token Lexer::directive(const char16_t* start, std::uint8_t flags)
{
    const DirectiveParts parts = scanDirective(m_text, offsetOf(start));
    if (parts.end == offsetOf(start) + 1 && parts.kind == DirectiveKind::Unknown) {
        // A lone '#', not followed by a word.
        m_errors.push_back({offsetOf(start), DiagnosticKind::UnexpectedCharacter});
        m_pos = start + 1;
        return {TokenKind::Invalid, std::uint8_t(flags | Token::Malformed), offsetOf(start), 1};
    }
    if (!parts.quoted.isEmpty())
        m_strings.push_back(parts.quoted);
    if (parts.hasError) {
        flags |= Token::Malformed;
        m_errors.push_back(parts.error);
    }
    m_pos = m_begin + parts.end;
    return {TokenKind::Directive, flags, offsetOf(start), parts.end - offsetOf(start)};
}

DirectiveParts Lexer::scanDirective(QStringView text, int offset)
{
    const char16_t* const s = text.utf16();
    const int n = int(text.size());
    DirectiveParts parts;
    int p = offset + 1;
    while (p < n && isBlank(s[p]))
        ++p;
    const int wordStart = p;
    while (p < n && isAsciiWordChar(s[p]))
        ++p;
    const QStringView word = text.sliced(wordStart, p - wordStart);
    parts.end = p;
    if (word.isEmpty()) {
        parts.end = offset + 1;
        return parts;
    }
    if (word.compare(u"include", Qt::CaseInsensitive) == 0)
        parts.kind = DirectiveKind::Include;
    else if (word.compare(u"include_once", Qt::CaseInsensitive) == 0)
        parts.kind = DirectiveKind::IncludeOnce;
    else if (word.compare(u"pragma", Qt::CaseInsensitive) == 0)
        parts.kind = DirectiveKind::Pragma;
    int lineEnd = p;
    while (lineEnd < n && !isLineBreak(s[lineEnd]))
        ++lineEnd;
    while (p < lineEnd && isBlank(s[p]))
        ++p;
    // The rest of the line up to a comment, without trailing blanks.
    auto restOfLine = [&](int from) {
        int end = from;
        while (end < lineEnd &&
               !(s[end] == u'/' && end + 1 < lineEnd && (s[end + 1] == u'/' || s[end + 1] == u'*')))
            ++end;
        while (end > from && isBlank(s[end - 1]))
            --end;
        return end;
    };
    if (parts.kind == DirectiveKind::Include || parts.kind == DirectiveKind::IncludeOnce) {
        const char16_t open = p < lineEnd ? s[p] : 0;
        if (open == u'"' || open == u'<') {
            const char16_t close = open == u'"' ? u'"' : u'>';
            int q = p + 1;
            while (q < lineEnd && s[q] != close)
                ++q;
            parts.angleBrackets = open == u'<';
            if (q < lineEnd) {
                parts.argument = {p + 1, q};
                parts.end = q + 1;
                if (open == u'"')
                    parts.quoted = {p, q + 1};
            } else {
                parts.argument = {p + 1, lineEnd};
                parts.end = lineEnd;
                parts.hasError = true;
                parts.error = {p, open == u'"' ? DiagnosticKind::UnclosedString
                                               : DiagnosticKind::UnclosedParenthesis};
                if (open == u'"')
                    parts.quoted = {p, lineEnd};
            }
        } else {
            const int end = restOfLine(p);
            parts.argument = {p, end};
            if (end > p) {
                parts.end = end;
            } else {
                parts.hasError = true;
                parts.error = {offset, DiagnosticKind::MissingFileName};
            }
        }
        return parts;
    }
    const int end = restOfLine(p);
    parts.argument = {p, end};
    if (end > p)
        parts.end = end;
    if (parts.kind == DirectiveKind::Unknown) {
        parts.hasError = true;
        parts.error = {offset, DiagnosticKind::UnknownDirective};
    }
    return parts;
}

} // namespace Syntax
