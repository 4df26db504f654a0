#include "syntax/Lexer.h"

#include "syntax/NameTable.h"

#include <array>
#include <bit>
#include <cstring>

#include <QChar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Syntax {

namespace {

// For ASCII word characters (letters, digits, _) their folded form, for every other ASCII
// character 0.
constexpr std::array<std::uint8_t, 128> makeWordFold()
{
    std::array<std::uint8_t, 128> table{};
    for (int c = 'a'; c <= 'z'; ++c)
        table[std::size_t(c)] = std::uint8_t(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[std::size_t(c)] = std::uint8_t(c | 0x20);
    for (int c = '0'; c <= '9'; ++c)
        table[std::size_t(c)] = std::uint8_t(c);
    table['_'] = '_';
    return table;
}

constexpr std::array<std::uint8_t, 128> WordFold = makeWordFold();

// What an ASCII character starts, with the tokens of the punctuation: the character alone,
// and the operators of two characters it makes with one of its followers.
enum class Starts : std::uint8_t
{
    Nothing,
    Punctuation,
    Word,
    Digit,
    /// White space other than the blank: tab, line breaks, form feed, vertical tab.
    Space,
    /// A comment, or the division operator.
    Slash,
    Dot,
    Quote,
    Hash,
};

// Eight bytes, so that the lexer finds a character's entry with one scaled index.
struct alignas(8) CharStart
{
    Starts starts = Starts::Nothing;
    TokenKind kind = TokenKind::Invalid;
    char followers[2] = {};
    TokenKind pairs[2] = {};
};

constexpr std::array<CharStart, 128> makeCharStarts()
{
    std::array<CharStart, 128> table{};
    for (int c = 0; c < 128; ++c) {
        if (c >= '0' && c <= '9')
            table[std::size_t(c)].starts = Starts::Digit;
        else if (WordFold[std::size_t(c)])
            table[std::size_t(c)].starts = Starts::Word;
    }
    for (char c : {'\t', '\n', '\v', '\f', '\r'})
        table[std::size_t(c)].starts = Starts::Space;
    table['/'] = {Starts::Slash, TokenKind::Slash, {'='}, {TokenKind::SlashAssign}};
    table['.'] = {Starts::Dot, TokenKind::Dot};
    table['"'].starts = Starts::Quote;
    table['#'].starts = Starts::Hash;
    auto set = [&](char c, TokenKind kind, char first = 0, TokenKind firstPair = {},
                   char second = 0, TokenKind secondPair = {}) {
        table[std::size_t(c)] = {
            Starts::Punctuation, kind, {first, second}, {firstPair, secondPair}};
    };
    set('(', TokenKind::LeftParen);
    set(')', TokenKind::RightParen);
    set('[', TokenKind::LeftBracket);
    set(']', TokenKind::RightBracket);
    set('{', TokenKind::LeftBrace);
    set('}', TokenKind::RightBrace);
    set(',', TokenKind::Comma);
    set(';', TokenKind::Semicolon);
    set('?', TokenKind::Question);
    set(':', TokenKind::Colon);
    set('^', TokenKind::Caret);
    set('@', TokenKind::At);
    set('+', TokenKind::Plus, '+', TokenKind::PlusPlus, '=', TokenKind::PlusAssign);
    set('-', TokenKind::Minus, '-', TokenKind::MinusMinus, '=', TokenKind::MinusAssign);
    set('*', TokenKind::Star, '=', TokenKind::StarAssign);
    set('%', TokenKind::Percent, '=', TokenKind::PercentAssign);
    set('<', TokenKind::Less, '=', TokenKind::LessEqual, '>', TokenKind::NotEqual);
    set('>', TokenKind::Greater, '=', TokenKind::GreaterEqual);
    set('=', TokenKind::Assign, '=', TokenKind::EqualEqual);
    set('!', TokenKind::Bang, '=', TokenKind::NotEqual);
    set('&', TokenKind::Amp, '&', TokenKind::AmpAmp, '=', TokenKind::AmpAssign);
    set('|', TokenKind::Pipe, '|', TokenKind::PipePipe, '=', TokenKind::PipeAssign);
    return table;
}

constexpr std::array<CharStart, 128> CharStarts = makeCharStarts();

#if defined(__SSE2__)
// Eight units of ones, then eight of zeros.
constexpr std::array<std::uint16_t, 16> FirstUnits = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
                                                      0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
#endif

// Reads the ASCII word characters (letters, digits, _) from p on into hash; returns where
// they end. Where SSE2 is, eight characters are classified, folded and hashed at once.
const char16_t* readAsciiWord(const char16_t* p, const char16_t* end, NameHash& hash)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    // (unit - low) saturated at 0 after subtracting the width of the range is 0 inside it.
    auto inRange = [&](__m128i units, char16_t low, char16_t width) {
        const __m128i offset = _mm_sub_epi16(units, _mm_set1_epi16(short(low)));
        return _mm_cmpeq_epi16(_mm_subs_epu16(offset, _mm_set1_epi16(short(width))), zero);
    };
    while (end - p >= 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i caseBit = _mm_set1_epi16(0x20);
        const __m128i letter = inRange(_mm_or_si128(units, caseBit), u'a', 25);
        const __m128i word = _mm_or_si128(_mm_or_si128(letter, inRange(units, u'0', 9)),
                                          _mm_cmpeq_epi16(units, _mm_set1_epi16(u'_')));
        // Two mask bits a unit: the number of word characters before the first other one.
        const int n = std::countr_one(unsigned(_mm_movemask_epi8(word))) / 2;
        // The first n units set: one load from a window sliding over ones then zeros.
        const __m128i inWord =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(FirstUnits.data() + 8 - n));
        const __m128i folded =
            _mm_and_si128(_mm_or_si128(units, _mm_and_si128(letter, caseBit)), inWord);
        alignas(16) std::uint64_t blocks[2];
        _mm_store_si128(reinterpret_cast<__m128i*>(blocks), folded);
        // The blocks that hold word characters, chosen without branching on n.
        NameHash first = hash;
        first.addBlock(blocks[0]);
        NameHash both = first;
        both.addBlock(blocks[1]);
        hash = n > 4 ? both : n > 0 ? first : hash;
        p += n;
        if (n < 8)
            return p;
    }
#endif
    for (; p != end && *p < 0x80 && WordFold[*p]; ++p)
        hash.add(WordFold[*p]);
    return p;
}

// The first of the units Stops from p on, or end; eight units at a time where SSE2 is.
template <char16_t... Stops> const char16_t* findAny(const char16_t* p, const char16_t* end)
{
#if defined(__SSE2__)
    for (; end - p >= 8; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hit = _mm_setzero_si128();
        ((hit = _mm_or_si128(hit, _mm_cmpeq_epi16(units, _mm_set1_epi16(short(Stops))))), ...);
        if (const unsigned mask = unsigned(_mm_movemask_epi8(hit)))
            return p + std::countr_zero(mask) / 2;
    }
#endif
    while (p != end && ((*p != Stops) && ...))
        ++p;
    return p;
}

bool isAsciiWordChar(char16_t c)
{
    return c < 0x80 && WordFold[c] != 0;
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
    NameHash hash;
    for (; *word; ++word)
        hash.add(*word);
    return hash.finish();
}

// The keywords by the hash of their spelling, in open addressing; most identifiers miss at
// the first slot, which KeywordSlotsUsed tells without reading the table.
constexpr int KeywordSlots = 256;

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

// Bit i % 64 of word i / 64 is set when slot i of KeywordTable holds a keyword.
constexpr std::array<std::uint64_t, KeywordSlots / 64> makeKeywordSlotsUsed()
{
    std::array<std::uint64_t, KeywordSlots / 64> used{};
    for (int i = 0; i < KeywordSlots; ++i) {
        if (KeywordTable[std::size_t(i)].word)
            used[std::size_t(i / 64)] |= std::uint64_t(1) << (i % 64);
    }
    return used;
}

constexpr auto KeywordSlotsUsed = makeKeywordSlotsUsed();

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

Lexer::Lexer(const QString& text, const NameTable* names)
    // utf16() puts a null after the text (also of a QString made by fromRawData).
    : m_text(reinterpret_cast<const char16_t*>(text.utf16()), text.size())
    , m_names(names)
    , m_begin(m_text.utf16())
    , m_end(m_text.utf16() + m_text.size())
    , m_pos(m_text.utf16())
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
    const std::uint32_t slot = hash % KeywordSlots;
    const bool used = (KeywordSlotsUsed[slot / 64] >> (slot % 64)) & 1;
    if (!used || n < 2 || n > 9)
        return TokenKind::Identifier;
    for (std::uint32_t i = hash % KeywordSlots; KeywordTable[i].word; i = (i + 1) % KeywordSlots) {
        if (KeywordTable[i].hash == hash && equalsKeyword(word.utf16(), n, KeywordTable[i].word))
            return KeywordTable[i].kind;
    }
    return TokenKind::Identifier;
}

// Inlined: a line break is met every few tokens, and the call cost more than the work.
[[gnu::always_inline]] inline const char16_t* Lexer::lineBreak(const char16_t* p)
{
    if (*p == u'\r' && p[1] == u'\n')
        ++p;
    ++p;
    newLine(p);
    return p;
}

const char16_t* Lexer::skipTrivia(const char16_t* p)
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
            p = lineBreak(p);
            continue;
        }
        if (c == u'/' && p + 1 != m_end && (p[1] == u'/' || p[1] == u'*')) {
            const char16_t* start = p;
            p += 2;
            if (start[1] == u'/') {
                p = findAny<u'\n', u'\r'>(p, m_end);
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
                    p = lineBreak(p);
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

int Lexer::fill(Token* out, int n)
{
    // The text's bounds in locals: the tokens' byte-sized fields may alias any member.
    const char16_t* const begin = m_begin;
    const char16_t* const end = m_end;
    const char16_t* p = m_pos;
    Token* token = out;
    Token* const last = out + n;
    std::uint8_t flags = 0;
    // The names read are looked up a few tokens from now: their slots are fetched ahead.
    const NameTable::Prefetcher prefetch =
        m_names ? m_names->prefetcher() : NameTable::Prefetcher();
    // The text ends in a null (see the constructor): the loops below stop at it without
    // checking for the end, which is only looked for where a null is met.
    while (token != last) {
        // Most often a token starts right here or after a blank.
        while (*p == u' ')
            ++p;
        const char16_t c = *p;
        const CharStart& start = CharStarts[c < 0x80 ? c : 0];
        *token = {start.kind, flags, int(p - begin), 1};
        if (start.starts == Starts::Punctuation) {
            if (start.followers[0]) {
                const char16_t next = p[1];
                if (next == char16_t(start.followers[0])) {
                    token->kind = start.pairs[0];
                    token->length = 2;
                } else if (start.followers[1] && next == char16_t(start.followers[1])) {
                    token->kind = start.pairs[1];
                    token->length = 2;
                }
            }
            p += token->length;
        } else if (start.starts == Starts::Word) {
            p = identifier(p, *token);
            prefetch(token->value);
        } else if (start.starts == Starts::Digit) {
            p = number(p, *token);
        } else if (c == u'\n' || c == u'\r') {
            p = lineBreak(p);
            flags |= Token::NewlineBefore;
            continue;
        } else if (p == end) [[unlikely]] {
            *token++ = {TokenKind::End, flags, int(p - begin), 0};
            break;
        } else if (startsTrivia(p)) {
            const std::size_t lines = m_lineStarts.size();
            p = skipTrivia(p);
            if (m_lineStarts.size() != lines)
                flags |= Token::NewlineBefore;
            continue;
        } else {
            p = otherToken(p, *token);
        }
        ++token;
        flags = 0;
    }
    m_pos = p;
    return int(token - out);
}

bool Lexer::startsTrivia(const char16_t* p) const
{
    const char16_t c = *p;
    if (c >= 0x80)
        return QChar::isSpace(c);
    const Starts starts = CharStarts[c].starts;
    return starts == Starts::Space ||
           (starts == Starts::Slash && p + 1 != m_end && (p[1] == u'/' || p[1] == u'*'));
}

const char16_t* Lexer::otherToken(const char16_t* start, Token& token)
{
    const char16_t c = *start;
    if (c >= 0x80)
        return unicodeWordChar(start, m_end, true) ? unicodeIdentifier(start, token)
                                                   : invalid(start, token);
    switch (CharStarts[c].starts) {
    case Starts::Slash:
        if (start + 1 != m_end && start[1] == u'=') {
            token.kind = TokenKind::SlashAssign;
            token.length = 2;
        }
        return start + token.length;
    case Starts::Dot:
        if (start + 1 != m_end && isDigit(start[1]))
            return number(start, token);
        return start + 1;
    case Starts::Quote:
        return string(start, token);
    case Starts::Hash:
        return directive(start, token);
    default:
        return invalid(start, token);
    }
}

Token Lexer::next()
{
    Token token;
    fill(&token, 1);
    return token;
}

[[gnu::always_inline]] inline const char16_t* Lexer::identifier(const char16_t* start, Token& token)
{
    NameHash hash;
    const char16_t* p = readAsciiWord(start, m_end, hash);
    if (*p >= 0x80 && unicodeWordChar(p, m_end, false)) [[unlikely]]
        return unicodeIdentifier(start, token);
    token.length = int(p - start);
    // The hash of the folded name, for the keyword check and the names.
    token.value = hash.finish();
    token.kind = keyword(QStringView(start, token.length), token.value);
    return p;
}

const char16_t* Lexer::unicodeIdentifier(const char16_t* start, Token& token)
{
    const char16_t* p = start;
    NameHash hash;
    for (;;) {
        int n = 0;
        if (p != m_end && *p < 0x80)
            n = WordFold[*p] ? 1 : 0;
        else if (p != m_end)
            n = unicodeWordChar(p, m_end, p == start);
        if (!n)
            break;
        for (int i = 0; i < n; ++i)
            hash.add(NameTable::fold(p[i]));
        p += n;
    }
    token.length = int(p - start);
    token.value = hash.finish();
    token.kind = keyword(QStringView(start, token.length), token.value);
    return p;
}

[[gnu::always_inline]] inline const char16_t* Lexer::number(const char16_t* start, Token& token)
{
    const char16_t* p = start;
    std::uint32_t whole = 0;
    while (isDigit(*p))
        whole = whole * 10 + std::uint32_t(*p++ - u'0');
    token.kind = TokenKind::Number;
    bool isWhole = p - start <= 9;
    // Most numbers end at a character that cannot go on with them (the final null too).
    if (*p >= 0x80 || *p == u'.' || WordFold[*p]) {
        if (*p == u'.') {
            isWhole = false;
            ++p;
            while (p != m_end && isDigit(*p))
                ++p;
        }
        if (p != m_end && (*p == u'e' || *p == u'E')) {
            const char16_t* q = p + 1;
            if (q != m_end && (*q == u'+' || *q == u'-'))
                ++q;
            if (q != m_end && isDigit(*q)) {
                isWhole = false;
                while (q != m_end && isDigit(*q))
                    ++q;
                p = q;
            }
        }
        // Letters, digits or a point stuck to a number make one malformed number (10abc,
        // 1.5.2, 1e).
        if (p != m_end && (isAsciiWordChar(*p) || *p == u'.' ||
                           (*p >= 0x80 && unicodeWordChar(p, m_end, false)))) {
            while (p != m_end && (isAsciiWordChar(*p) || *p == u'.'))
                ++p;
            isWhole = false;
            token.flags |= Token::Malformed;
            m_errors.push_back({token.offset, DiagnosticKind::InvalidNumber});
        }
    }
    token.length = int(p - start);
    if (isWhole) {
        token.flags |= Token::WholeNumber;
        token.value = whole;
    }
    return p;
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

const char16_t* Lexer::string(const char16_t* start, Token& token)
{
    const char16_t* p = start + 1;
    bool closed = false;
    while (p != m_end) {
        p = findAny<u'"', u'\\', u'\n', u'\r'>(p, m_end);
        if (p == m_end)
            break;
        const char16_t c = *p;
        if (c == u'"') {
            ++p;
            closed = true;
            break;
        }
        if (isLineBreak(c)) {
            if (!nextLineClosesString(p))
                break;
            p = lineBreak(p);
            continue;
        }
        // A backslash.
        token.flags |= Token::HasEscape;
        ++p;
        if (p != m_end && !isLineBreak(*p))
            ++p;
    }
    if (!closed) {
        token.flags |= Token::Malformed;
        m_errors.push_back({token.offset, DiagnosticKind::UnclosedString});
    }
    m_strings.push_back({token.offset, offsetOf(p)});
    token.kind = TokenKind::String;
    token.length = int(p - start);
    return p;
}

const char16_t* Lexer::directive(const char16_t* start, Token& token)
{
    const DirectiveParts parts = scanDirective(m_text, token.offset);
    if (parts.end == token.offset + 1 && parts.kind == DirectiveKind::Unknown) {
        // A lone '#', not followed by a word.
        return invalid(start, token);
    }
    if (!parts.quoted.isEmpty())
        m_strings.push_back(parts.quoted);
    if (parts.hasError) {
        token.flags |= Token::Malformed;
        m_errors.push_back(parts.error);
    }
    token.kind = TokenKind::Directive;
    token.length = parts.end - token.offset;
    return m_begin + parts.end;
}

const char16_t* Lexer::invalid(const char16_t* start, Token& token)
{
    // A character outside the Basic Multilingual Plane is one, in two code units.
    const bool pair =
        QChar::isHighSurrogate(*start) && start + 1 != m_end && QChar::isLowSurrogate(start[1]);
    token.kind = TokenKind::Invalid;
    token.flags |= Token::Malformed;
    token.length = pair ? 2 : 1;
    m_errors.push_back({token.offset, DiagnosticKind::UnexpectedCharacter});
    return start + token.length;
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
