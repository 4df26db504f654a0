#include "syntax/Parser.h"

#include "syntax/NameTable.h"
#include "syntax/SyntaxTexts.h"
#include "syntax/TreeData.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace Syntax {

namespace {

// Binding strength of the operators, weakest first. A prefix operator reads its operand at
// the level above its own, so `-2^2` is -(2^2) and `NOT a == b` is NOT (a == b).
enum Precedence : int
{
    PrecAssign = 1,
    PrecConditional,
    PrecOr,
    PrecAnd,
    PrecNot,
    PrecBitOr,
    PrecBitAnd,
    PrecEquality,
    PrecRelational,
    PrecAdditive,
    PrecMultiplicative,
    PrecUnary,
    PrecPower,
};

// What a token does after an operand: nothing (precedence 0), or join it with what follows.
enum class Infix : std::uint8_t
{
    None,
    Binary,
    Assignment,
    Conditional,
};

struct InfixInfo
{
    int precedence = 0;
    Infix form = Infix::None;
    Operator op = Operator::Add;
};

constexpr std::array<InfixInfo, std::size_t(TokenKind::Count)> makeInfixTable()
{
    std::array<InfixInfo, std::size_t(TokenKind::Count)> t{};
    auto binary = [&](TokenKind k, int precedence, Operator op) {
        t[std::size_t(k)] = {precedence, Infix::Binary, op};
    };
    auto assignment = [&](TokenKind k, Operator op) {
        t[std::size_t(k)] = {PrecAssign, Infix::Assignment, op};
    };
    assignment(TokenKind::Assign, Operator::Assign);
    assignment(TokenKind::PlusAssign, Operator::AddAssign);
    assignment(TokenKind::MinusAssign, Operator::SubtractAssign);
    assignment(TokenKind::StarAssign, Operator::MultiplyAssign);
    assignment(TokenKind::SlashAssign, Operator::DivideAssign);
    assignment(TokenKind::PercentAssign, Operator::ModuloAssign);
    assignment(TokenKind::AmpAssign, Operator::BitAndAssign);
    assignment(TokenKind::PipeAssign, Operator::BitOrAssign);
    t[std::size_t(TokenKind::Question)] = {PrecConditional, Infix::Conditional};
    binary(TokenKind::Or, PrecOr, Operator::Or);
    binary(TokenKind::PipePipe, PrecOr, Operator::Or);
    binary(TokenKind::And, PrecAnd, Operator::And);
    binary(TokenKind::AmpAmp, PrecAnd, Operator::And);
    binary(TokenKind::Pipe, PrecBitOr, Operator::BitOr);
    binary(TokenKind::Amp, PrecBitAnd, Operator::BitAnd);
    binary(TokenKind::EqualEqual, PrecEquality, Operator::Equal);
    binary(TokenKind::NotEqual, PrecEquality, Operator::NotEqual);
    binary(TokenKind::Less, PrecRelational, Operator::Less);
    binary(TokenKind::LessEqual, PrecRelational, Operator::LessEqual);
    binary(TokenKind::Greater, PrecRelational, Operator::Greater);
    binary(TokenKind::GreaterEqual, PrecRelational, Operator::GreaterEqual);
    binary(TokenKind::Plus, PrecAdditive, Operator::Add);
    binary(TokenKind::Minus, PrecAdditive, Operator::Subtract);
    binary(TokenKind::Star, PrecMultiplicative, Operator::Multiply);
    binary(TokenKind::Slash, PrecMultiplicative, Operator::Divide);
    binary(TokenKind::Percent, PrecMultiplicative, Operator::Modulo);
    binary(TokenKind::At, PrecMultiplicative, Operator::MatrixProduct);
    binary(TokenKind::Caret, PrecPower, Operator::Power);
    return t;
}

constexpr auto InfixTable = makeInfixTable();

// The hash of the word `static` (NameHash), which is a declaration word only before a name.
constexpr std::uint32_t StaticHash = [] {
    NameHash hash;
    for (char16_t c : std::u16string_view(u"static"))
        hash.add(c);
    return hash.finish();
}();

// Tokens after an operand that parsePostfix takes: a call, a subscript, a member, ++ or --.
constexpr bool isPostfix(TokenKind kind)
{
    return kind == TokenKind::LeftParen || kind == TokenKind::LeftBracket ||
           kind == TokenKind::Dot || kind == TokenKind::PlusPlus || kind == TokenKind::MinusMinus;
}

// Tokens that end an expression without being part of it: a missing operand before them is
// "missing", not "unexpected".
bool isTerminator(TokenKind kind)
{
    switch (kind) {
    case TokenKind::End:
    case TokenKind::Semicolon:
    case TokenKind::RightParen:
    case TokenKind::RightBracket:
    case TokenKind::RightBrace:
    case TokenKind::Comma:
    case TokenKind::Colon:
        return true;
    default:
        return false;
    }
}

// Width of the blanks that start the line of offset (a tab to the next multiple of 4), or -1
// when offset is not the line's first non-blank character or the line start is further back
// than a line is long in any script worth guessing about.
int lineIndent(QStringView text, int offset, bool mustBeFirst)
{
    const char16_t* s = text.utf16();
    int start = offset;
    const int limit = std::max(0, offset - 400);
    while (start > limit && s[start - 1] != u'\n' && s[start - 1] != u'\r')
        --start;
    if (start > 0 && s[start - 1] != u'\n' && s[start - 1] != u'\r')
        return -1;
    int width = 0;
    int i = start;
    for (; i < offset && (s[i] == u' ' || s[i] == u'\t'); ++i)
        width += s[i] == u'\t' ? 4 - width % 4 : 1;
    if (mustBeFirst && i != offset)
        return -1;
    return width;
}

struct DepthGuard
{
    explicit DepthGuard(int& depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~DepthGuard() { --m_depth; }
    bool tooDeep() const { return m_depth > MaxDepth; }

    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& m_depth;
};

} // namespace

void Parser::parse(TreeData& data)
{
    Parser parser(data);
    parser.run();
}

Parser::Parser(TreeData& data)
    : m_data(data)
    , m_text(data.text)
    , m_lexer(data.text, &data.names)
{
    m_ends.fill({TokenKind::End, 0, int(m_text.size()), 0});
    m_statements.reserve(256);
    m_nodes.reserve(256);
}

void Parser::run()
{
    // The first token: the buffer is empty, so advancing reads the first batch.
    advance();
    const std::size_t mark = m_statements.size();
    while (!at(TokenKind::End)) {
        if (at(TokenKind::RightBrace)) {
            strayClosingBrace();
            continue;
        }
        if (const Statement* statement = parseStatement())
            m_statements.push_back(statement);
    }
    m_data.statements = takeList<Statement>(m_statements, mark);
    // Text nested deeper than the limit gives no tree at all: nothing built from it could
    // be walked safely.
    if (m_tooDeep) {
        m_data.statements = {};
        m_data.functions.clear();
    }
    // After an early stop the rest is still read for its comments, strings and lines.
    if (m_aborted) {
        while (m_lexer.next().kind != TokenKind::End) {
        }
    } else {
        takeLexerErrors();
    }
    m_data.comments = m_lexer.takeComments();
    m_data.strings = m_lexer.takeStrings();
    m_data.lines = LineMap::fromLineStarts(m_lexer.takeLineStarts(), int(m_text.size()));
    std::stable_sort(m_pending.begin(), m_pending.end(),
                     [](const Pending& a, const Pending& b) { return a.offset < b.offset; });
    for (const Pending& p : m_pending) {
        const TextPosition position = m_data.lines.position(p.offset);
        m_data.diagnostics.append(
            {p.offset, position.line, position.column, p.kind, Texts::Message(p.kind)});
    }
}

// ---- tokens ----

void Parser::reachStop()
{
    if (m_tok >= m_last)
        refill();
    // The lexer has reported this token's error; the parser's own errors wait for a new
    // statement.
    if (m_tok->flags & Token::Malformed)
        m_panic = true;
    setStop();
}

void Parser::setStop()
{
    m_stop = m_last;
    if (!m_batchHasErrors)
        return;
    for (const Token* t = m_tok + 1; t < m_last; ++t) {
        if (t->flags & Token::Malformed) {
            m_stop = t;
            return;
        }
    }
}

void Parser::refill()
{
    if (m_aborted) {
        stopReading();
        return;
    }
    // Keep the current token, the one before and those after it, and fill up behind them.
    const Token previous = m_tok[-1];
    Token* const first = m_buffer.data() + 1;
    Token* kept = first;
    for (const Token* t = m_tok; t < m_last; ++t)
        *kept++ = *t;
    m_buffer[0] = previous;
    m_tok = first;
    if (kept > first && kept[-1].kind == TokenKind::End) {
        *kept = kept[-1];
        m_last = kept + 1;
        setStop();
        return;
    }
    m_last = kept + m_lexer.fill(kept, int(m_buffer.data() + m_buffer.size() - kept));
    m_batchHasErrors = m_lexer.errors().size() != m_lexerErrors;
    if (m_batchHasErrors) {
        takeLexerErrors();
        // When the lexer's errors reach the limit, the token just read is still taken; the
        // end comes with the next one.
        if (m_aborted) {
            m_tok = first;
            m_last = m_tok + 1;
        }
    }
    setStop();
}

// ---- errors ----

void Parser::error(int offset, DiagnosticKind kind)
{
    if (m_panic || m_aborted)
        return;
    m_panic = true;
    addDiagnostic(offset, kind);
}

void Parser::fatal(int offset, DiagnosticKind kind)
{
    if (kind == DiagnosticKind::TooDeep)
        m_tooDeep = true;
    if (!m_aborted)
        addDiagnostic(offset, kind);
    m_aborted = true;
    stopReading();
}

void Parser::addDiagnostic(int offset, DiagnosticKind kind)
{
    if (m_aborted || m_pending.size() >= std::size_t(MaxDiagnostics))
        return;
    m_pending.push_back({offset, kind});
    if (m_pending.size() == std::size_t(MaxDiagnostics)) {
        m_aborted = true;
        stopReading();
    }
}

void Parser::takeLexerErrors()
{
    const std::vector<LexError>& errors = m_lexer.errors();
    while (m_lexerErrors < errors.size()) {
        const LexError& e = errors[m_lexerErrors++];
        addDiagnostic(e.offset, e.kind);
    }
}

int Parser::hereOrPrevious() const
{
    return (at(TokenKind::End) || m_tok->startsLine()) ? prevEnd() : m_tok->offset;
}

bool Parser::isStopToken() const
{
    switch (m_tok->kind) {
    case TokenKind::End:
    case TokenKind::LeftBrace:
    case TokenKind::RightBrace:
    case TokenKind::Directive:
    case TokenKind::If:
    case TokenKind::Else:
    case TokenKind::For:
    case TokenKind::While:
    case TokenKind::Do:
    case TokenKind::Switch:
    case TokenKind::Case:
    case TokenKind::Default:
    case TokenKind::Break:
    case TokenKind::Continue:
    case TokenKind::Function:
    case TokenKind::Procedure:
    case TokenKind::Return:
    case TokenKind::Local:
    case TokenKind::Global:
        return true;
    default:
        return false;
    }
}

void Parser::synchronize()
{
    while (!isStopToken()) {
        if (at(TokenKind::Semicolon)) {
            m_panic = false;
            advance();
            return;
        }
        advance();
    }
    m_panic = false;
}

// ---- statements ----

const Statement* Parser::parseStatement()
{
    DepthGuard guard(m_depth);
    if (guard.tooDeep()) {
        fatal(m_tok->offset, DiagnosticKind::TooDeep);
        return nullptr;
    }
    if (m_panic) {
        const int start = m_tok->offset;
        const unsigned before = m_consumed;
        synchronize();
        if (m_consumed != before)
            return make<ErrorStatement>({start, prevEnd()});
    }
    const unsigned before = m_consumed;
    const Statement* statement = nullptr;
    switch (m_tok->kind) {
    case TokenKind::End:
        return nullptr;
    case TokenKind::RightBrace:
        // A body that is missing before a closing brace.
        error(hereOrPrevious(), DiagnosticKind::MissingExpression);
        return make<ErrorStatement>({prevEnd(), prevEnd()});
    case TokenKind::LeftBrace:
        statement = parseBlock();
        break;
    case TokenKind::Semicolon:
        statement = make<EmptyStatement>({m_tok->offset, m_tok->end()});
        m_panic = false;
        advance();
        break;
    case TokenKind::If:
        statement = parseIf();
        break;
    case TokenKind::For:
        statement = parseFor();
        break;
    case TokenKind::While:
        statement = parseWhile();
        break;
    case TokenKind::Do:
        statement = parseDoWhile();
        break;
    case TokenKind::Switch:
        statement = parseSwitch();
        break;
    case TokenKind::Break:
    case TokenKind::Continue:
        statement = parseJump();
        break;
    case TokenKind::Return:
        statement = parseReturn();
        break;
    case TokenKind::Function:
    case TokenKind::Procedure:
        statement = parseFunction();
        break;
    case TokenKind::Local:
        statement = parseDeclaration(DeclarationScope::Local);
        break;
    case TokenKind::Global:
        statement = parseDeclaration(DeclarationScope::Global);
        break;
    case TokenKind::Directive:
        statement = parseDirective();
        break;
    case TokenKind::Else:
    case TokenKind::Case:
    case TokenKind::Default:
        statement = skipStray(DiagnosticKind::UnexpectedToken);
        break;
    case TokenKind::RightParen:
    case TokenKind::RightBracket:
        statement = skipStray(DiagnosticKind::UnexpectedClosingBracket);
        break;
    case TokenKind::Identifier:
        if (m_tok->value == StaticHash &&
            textOf(*m_tok).compare(u"static", Qt::CaseInsensitive) == 0 &&
            peek().kind == TokenKind::Identifier && !m_aborted) {
            statement = parseDeclaration(DeclarationScope::Static);
            break;
        }
        statement = parseExpressionStatement();
        break;
    default:
        statement = parseExpressionStatement();
        break;
    }
    // Every statement takes at least one token, so that the parser always gets on.
    if (m_consumed == before && !at(TokenKind::End) && !at(TokenKind::RightBrace)) {
        error(m_tok->offset, DiagnosticKind::UnexpectedToken);
        advance();
    }
    return statement;
}

const Statement* Parser::skipStray(DiagnosticKind kind)
{
    const Token token = *m_tok;
    error(token.offset, kind);
    advance();
    return make<ErrorStatement>({token.offset, token.end()});
}

void Parser::strayClosingBrace()
{
    // A closing brace indented deeper than the line of the brace it closed most likely
    // belonged to a block whose opening brace is missing. One missing brace makes each
    // closing brace after it close the next outer block: the first of that cascade, the
    // innermost, is where the error is.
    int offset = m_tok->offset;
    int found = -1;
    for (int i = int(m_braceEvents.size()) - 1; i >= 0; --i) {
        const BraceEvent& e = m_braceEvents[std::size_t(i)];
        if (!e.closeDeeper || e.used || e.close > offset)
            continue;
        if (found >= 0) {
            const BraceEvent& outer = m_braceEvents[std::size_t(found)];
            if (e.open < outer.open || e.close > outer.close)
                break;
        }
        found = i;
    }
    if (found >= 0) {
        m_braceEvents[std::size_t(found)].used = true;
        offset = m_braceEvents[std::size_t(found)].close;
    }
    m_panic = false;
    const Token token = *m_tok;
    error(offset, DiagnosticKind::UnexpectedClosingBracket);
    m_panic = false;
    advance();
    m_statements.push_back(make<ErrorStatement>({token.offset, token.end()}));
}

void Parser::noteBraceIndentation(const Token& open, const Token& close)
{
    const int closeIndent = lineIndent(m_text, close.offset, true);
    if (closeIndent < 0)
        return;
    const int openIndent = lineIndent(m_text, open.offset, false);
    if (openIndent < 0 || openIndent == closeIndent)
        return;
    m_braceEvents.push_back({open.offset, close.offset, closeIndent > openIndent, false});
}

int Parser::unclosedBraceOffset(const Token& open) const
{
    // A block inside that was closed by a brace indented less than its own line most likely
    // lost its closing brace.
    for (const BraceEvent& e : m_braceEvents) {
        if (!e.closeDeeper && e.open > open.offset)
            return e.open;
    }
    return open.offset;
}

const Block* Parser::parseBlock()
{
    const Token open = *m_tok;
    advance();
    return finishBlock(open, true);
}

const Block* Parser::finishBlock(Token open, bool braced)
{
    const std::size_t mark = m_statements.size();
    while (!at(TokenKind::RightBrace) && !at(TokenKind::End)) {
        if (const Statement* statement = parseStatement())
            m_statements.push_back(statement);
    }
    if (at(TokenKind::RightBrace)) {
        if (braced)
            noteBraceIndentation(open, *m_tok);
        m_panic = false;
        advance();
    } else if (braced) {
        error(unclosedBraceOffset(open), DiagnosticKind::UnclosedBrace);
    }
    const auto statements = takeList<Statement>(m_statements, mark);
    // Without its brace a block starts with its first statement, which may start before
    // the first token (at an operand missing right after the previous one).
    int begin = std::min(open.offset, prevEnd());
    if (!statements.empty())
        begin = std::min(begin, statements.front()->range.begin);
    auto* block = make<Block>({begin, prevEnd()});
    block->statements = statements;
    int height = 0;
    for (const Statement* statement : statements)
        height = std::max(height, int(statement->height));
    setHeight(block, height);
    return block;
}

const Statement* Parser::parseBody()
{
    if (at(TokenKind::End)) {
        error(prevEnd(), DiagnosticKind::MissingExpression);
        return make<ErrorStatement>({prevEnd(), prevEnd()});
    }
    return parseStatement();
}

const Expression* Parser::parseCondition()
{
    if (!at(TokenKind::LeftParen)) {
        error(hereOrPrevious(), DiagnosticKind::MissingOpeningParenthesis);
        const Expression* condition = parseExpression(PrecAssign);
        accept(TokenKind::RightParen);
        return condition;
    }
    const Token open = *m_tok;
    advance();
    const Expression* condition = parseExpression(PrecAssign);
    closeBracket(open, TokenKind::RightParen);
    return condition;
}

const Statement* Parser::parseIf()
{
    const int begin = m_tok->offset;
    const std::size_t mark = m_nodes.size();
    const Statement* elseBody = nullptr;
    // An else-if chain is read in a loop and kept flat, however long it is.
    for (;;) {
        const Token keyword = *m_tok;
        advance();
        const Expression* condition = parseCondition();
        const Statement* body = parseBody();
        auto* branch = make<IfBranch>({keyword.offset, prevEnd()}, heightOf(condition, body));
        branch->condition = condition;
        branch->body = body;
        m_nodes.push_back(branch);
        if (!at(TokenKind::Else))
            break;
        advance();
        if (at(TokenKind::If))
            continue;
        elseBody = parseBody();
        break;
    }
    const auto branches = takeList<IfBranch>(m_nodes, mark);
    auto* statement = make<IfStatement>({begin, prevEnd()}, heightOf(elseBody));
    statement->branches = branches;
    statement->elseBody = elseBody;
    int height = elseBody ? elseBody->height : 0;
    for (const IfBranch* branch : branches)
        height = std::max(height, int(branch->height));
    setHeight(statement, height);
    return statement;
}

const Statement* Parser::parseFor()
{
    const Token keyword = *m_tok;
    advance();
    const Token open = *m_tok;
    const bool paren = accept(TokenKind::LeftParen);
    if (!paren)
        error(hereOrPrevious(), DiagnosticKind::MissingOpeningParenthesis);
    const Expression* init = at(TokenKind::Semicolon) ? nullptr : parseExpression(PrecAssign);
    if (!accept(TokenKind::Semicolon))
        error(prevEnd(), DiagnosticKind::MissingSemicolon);
    const Expression* condition = at(TokenKind::Semicolon) ? nullptr : parseExpression(PrecAssign);
    if (!accept(TokenKind::Semicolon))
        error(prevEnd(), DiagnosticKind::MissingSemicolon);
    const Expression* step = at(TokenKind::RightParen) ? nullptr : parseExpression(PrecAssign);
    if (paren)
        closeBracket(open, TokenKind::RightParen);
    else
        accept(TokenKind::RightParen);
    const Statement* body = parseBody();
    auto* statement =
        make<ForStatement>({keyword.offset, prevEnd()}, heightOf(init, condition, step, body));
    statement->init = init;
    statement->condition = condition;
    statement->step = step;
    statement->body = body;
    return statement;
}

const Statement* Parser::parseWhile()
{
    const Token keyword = *m_tok;
    advance();
    const Expression* condition = parseCondition();
    const Statement* body = parseBody();
    auto* statement = make<WhileStatement>({keyword.offset, prevEnd()}, heightOf(condition, body));
    statement->condition = condition;
    statement->body = body;
    return statement;
}

const Statement* Parser::parseDoWhile()
{
    const Token keyword = *m_tok;
    advance();
    const Statement* body = parseBody();
    const Expression* condition = nullptr;
    if (at(TokenKind::While)) {
        advance();
        condition = parseCondition();
        if (at(TokenKind::Semicolon)) {
            m_panic = false;
            advance();
        }
    } else {
        error(hereOrPrevious(), DiagnosticKind::MissingWhile);
    }
    auto* statement =
        make<DoWhileStatement>({keyword.offset, prevEnd()}, heightOf(body, condition));
    statement->body = body;
    statement->condition = condition;
    return statement;
}

const Statement* Parser::parseSwitch()
{
    const Token keyword = *m_tok;
    advance();
    const Expression* subject = parseCondition();
    const Token open = *m_tok;
    const bool braced = at(TokenKind::LeftBrace);
    if (braced) {
        advance();
    } else {
        error(at(TokenKind::End) ? prevEnd() : m_tok->offset, DiagnosticKind::MissingOpeningBrace);
        m_panic = false;
    }
    const std::size_t caseMark = m_nodes.size();
    SwitchCase* current = nullptr;
    std::size_t statementMark = m_statements.size();
    int height = subject ? subject->height : 0;
    auto finishCase = [&] {
        if (!current)
            return;
        current->statements = takeList<Statement>(m_statements, statementMark);
        current->range.end = std::max(current->labelRange.end, prevEnd());
        int caseHeight = current->label ? current->label->height : 0;
        for (const Statement* statement : current->statements)
            caseHeight = std::max(caseHeight, int(statement->height));
        setHeight(current, caseHeight);
        height = std::max(height, int(current->height));
    };
    while (!at(TokenKind::RightBrace) && !at(TokenKind::End)) {
        if (at(TokenKind::Case) || at(TokenKind::Default)) {
            finishCase();
            const Token label = *m_tok;
            advance();
            current = make<SwitchCase>({label.offset, prevEnd()});
            if (label.kind == TokenKind::Case)
                current->label = parseExpression(PrecAssign);
            else
                current->isDefault = true;
            if (at(TokenKind::Colon)) {
                m_panic = false;
                advance();
            } else {
                error(prevEnd(), DiagnosticKind::MissingColon);
            }
            current->labelRange = {label.offset, prevEnd()};
            m_nodes.push_back(current);
            statementMark = m_statements.size();
            continue;
        }
        if (!current) {
            // Statements before the first label: a case without one, from where they start.
            current = make<SwitchCase>({prevEnd(), prevEnd()});
            current->labelRange = current->range;
            m_nodes.push_back(current);
            statementMark = m_statements.size();
        }
        if (const Statement* statement = parseStatement())
            m_statements.push_back(statement);
    }
    finishCase();
    if (at(TokenKind::RightBrace)) {
        if (braced)
            noteBraceIndentation(open, *m_tok);
        m_panic = false;
        advance();
    } else if (braced) {
        error(unclosedBraceOffset(open), DiagnosticKind::UnclosedBrace);
    }
    auto* statement = make<SwitchStatement>({keyword.offset, prevEnd()});
    statement->subject = subject;
    statement->cases = takeList<SwitchCase>(m_nodes, caseMark);
    setHeight(statement, height);
    return statement;
}

const Statement* Parser::parseJump()
{
    const Token keyword = *m_tok;
    advance();
    Statement* statement = keyword.kind == TokenKind::Break
                               ? static_cast<Statement*>(make<BreakStatement>({keyword.offset, 0}))
                               : make<ContinueStatement>({keyword.offset, 0});
    expectSemicolon();
    statement->range.end = prevEnd();
    return statement;
}

const Statement* Parser::parseReturn()
{
    const Token keyword = *m_tok;
    advance();
    const Expression* value = nullptr;
    if (!at(TokenKind::Semicolon) && !at(TokenKind::RightBrace) && !at(TokenKind::End))
        value = parseExpression(PrecAssign);
    expectSemicolon();
    auto* statement = make<ReturnStatement>({keyword.offset, prevEnd()}, heightOf(value));
    statement->value = value;
    return statement;
}

const Identifier* Parser::expectName()
{
    if (at(TokenKind::Identifier)) {
        const Identifier* name = makeIdentifier(*m_tok);
        advance();
        return name;
    }
    error(hereOrPrevious(), DiagnosticKind::MissingName);
    return nullptr;
}

const Statement* Parser::parseFunction()
{
    const Token keyword = *m_tok;
    advance();
    const Identifier* name = expectName();
    const std::size_t mark = m_nodes.size();
    if (at(TokenKind::LeftParen)) {
        const Token open = *m_tok;
        advance();
        bool ok = true;
        if (!at(TokenKind::RightParen)) {
            for (;;) {
                const Identifier* parameter = expectName();
                if (!parameter) {
                    ok = false;
                    break;
                }
                m_nodes.push_back(parameter);
                if (!accept(TokenKind::Comma))
                    break;
            }
        }
        if (ok && !closeBracket(open, TokenKind::RightParen))
            ok = false;
        if (!ok) {
            // Find the end of the parameter list and go on with the body.
            while (!at(TokenKind::RightParen) && !at(TokenKind::LeftBrace) &&
                   !at(TokenKind::Semicolon) && !at(TokenKind::End))
                advance();
            accept(TokenKind::RightParen);
            m_panic = false;
        }
    } else {
        error(hereOrPrevious(), DiagnosticKind::MissingOpeningParenthesis);
        m_panic = false;
    }
    const auto parameters = takeList<Identifier>(m_nodes, mark);
    const Block* body = nullptr;
    if (at(TokenKind::LeftBrace)) {
        body = parseBlock();
    } else {
        // The body's opening brace is missing: read the body up to the closing brace.
        error(at(TokenKind::End) ? prevEnd() : m_tok->offset, DiagnosticKind::MissingOpeningBrace);
        m_panic = false;
        body = finishBlock(*m_tok, false);
    }
    auto* definition = make<FunctionDefinition>({keyword.offset, prevEnd()}, heightOf(name, body));
    definition->isProcedure = keyword.kind == TokenKind::Procedure;
    definition->name = name;
    definition->parameters = parameters;
    definition->body = body;
    m_data.functions.push_back(definition);
    return definition;
}

const Statement* Parser::parseDeclaration(DeclarationScope scope)
{
    const Token keyword = *m_tok;
    advance();
    const std::size_t mark = m_declarators.size();
    int height = 0;
    for (;;) {
        const Identifier* name = expectName();
        if (!name)
            break;
        height = std::max(height, int(name->height));
        const Expression* initializer = nullptr;
        if (accept(TokenKind::Assign)) {
            initializer = parseExpression(PrecAssign);
            height = std::max(height, int(initializer->height));
        }
        m_declarators.push_back({name, initializer});
        if (!accept(TokenKind::Comma))
            break;
    }
    expectSemicolon();
    auto* statement = make<Declaration>({keyword.offset, prevEnd()});
    statement->scope = scope;
    const std::size_t n = m_declarators.size() - mark;
    if (n) {
        auto* list = m_data.arena.allocateArray<Declarator>(n);
        std::copy(m_declarators.begin() + std::ptrdiff_t(mark), m_declarators.end(), list);
        statement->declarators = {list, n};
        m_declarators.resize(mark);
    }
    setHeight(statement, height);
    return statement;
}

const Statement* Parser::parseDirective()
{
    const Token token = *m_tok;
    const DirectiveParts parts = Lexer::scanDirective(m_text, token.offset);
    auto* directive = make<Directive>({token.offset, token.end()});
    directive->directive = parts.kind;
    directive->argumentRange = parts.argument;
    directive->argument = m_text.sliced(parts.argument.begin, parts.argument.length());
    directive->angleBrackets = parts.angleBrackets;
    // A preprocessor line ends at its line break: a clean place to go on from.
    m_panic = false;
    advance();
    return directive;
}

const Statement* Parser::parseExpressionStatement()
{
    const int begin = m_tok->offset;
    const Expression* expression = parseExpression(PrecAssign);
    expectSemicolon();
    auto* statement = make<ExpressionStatement>(
        {std::min(begin, expression->range.begin), prevEnd()}, expression->height);
    statement->expression = expression;
    return statement;
}

void Parser::missingSemicolon()
{
    if (m_panic) {
        // After an error the statement ends at the line break, if one follows.
        if (m_tok->startsLine() || at(TokenKind::End) || at(TokenKind::RightBrace))
            m_panic = false;
        return;
    }
    if (at(TokenKind::RightParen) || at(TokenKind::RightBracket)) {
        error(m_tok->offset, DiagnosticKind::UnexpectedClosingBracket);
        return;
    }
    error(prevEnd(), DiagnosticKind::MissingSemicolon);
    // The next statement may start right here; on the same line it is more likely debris.
    if (m_tok->startsLine() || isStopToken())
        m_panic = false;
}

// ---- expressions ----

const Expression* Parser::parseOperators(int minPrecedence)
{
    DepthGuard guard(m_depth);
    if (guard.tooDeep()) {
        fatal(m_tok->offset, DiagnosticKind::TooDeep);
        return make<ErrorExpression>({prevEnd(), prevEnd()}, 0);
    }
    // Nodes made here start where this expression starts, its opening brackets included (or
    // at an operand missing before it).
    const int start = m_tok->offset;
    const Expression* left = parseUnary();
    const int begin = std::min(start, left->range.begin);
    for (;;) {
        const InfixInfo info = InfixTable[std::size_t(m_tok->kind)];
        if (info.precedence == 0 || info.precedence < minPrecedence)
            return left;
        if (info.form == Infix::Binary) {
            advance();
            // Left-associative: the right operand binds only stronger operators.
            const Expression* right = parseExpression(info.precedence + 1);
            auto* binary = make<BinaryExpression>({begin, prevEnd()}, heightOf(left, right));
            binary->op = info.op;
            binary->left = left;
            binary->right = right;
            left = binary;
        } else if (info.form == Infix::Assignment) {
            if (!isAssignable(left))
                error(m_tok->offset, DiagnosticKind::InvalidAssignment);
            advance();
            const Expression* value = parseExpression(PrecAssign);
            auto* assignment =
                make<AssignmentExpression>({begin, prevEnd()}, heightOf(left, value));
            assignment->op = info.op;
            assignment->target = left;
            assignment->value = value;
            assignment->targetKind = left->kind == NodeKind::Subscript ? AssignmentTarget::Element
                                     : left->kind == NodeKind::Member  ? AssignmentTarget::Member
                                                                       : AssignmentTarget::Variable;
            // The value took every operator after it (all bind at least as strongly).
            return assignment;
        } else {
            advance();
            const Expression* whenTrue = parseExpression(PrecAssign);
            const Expression* whenFalse = nullptr;
            if (accept(TokenKind::Colon)) {
                whenFalse = parseExpression(PrecConditional);
            } else {
                error(hereOrPrevious(), DiagnosticKind::MissingColon);
                whenFalse = make<ErrorExpression>({prevEnd(), prevEnd()}, 0);
            }
            auto* conditional = make<ConditionalExpression>({begin, prevEnd()},
                                                            heightOf(left, whenTrue, whenFalse));
            conditional->condition = left;
            conditional->whenTrue = whenTrue;
            conditional->whenFalse = whenFalse;
            left = conditional;
        }
    }
}

[[gnu::always_inline]] inline const Expression* Parser::parseUnary()
{
    const int start = m_tok->offset;
    const Expression* operand = nullptr;
    switch (m_tok->kind) {
    case TokenKind::Identifier:
        operand = makeIdentifier(*m_tok);
        advance();
        break;
    case TokenKind::Number:
        operand = makeNumber(*m_tok);
        advance();
        break;
    case TokenKind::String:
        operand = makeString(*m_tok);
        advance();
        break;
    case TokenKind::LeftParen: {
        const Token open = *m_tok;
        advance();
        operand = parseExpression(PrecAssign);
        closeBracket(open, TokenKind::RightParen);
        break;
    }
    case TokenKind::Minus:
        return parsePrefix(Operator::Negate, PrecPower);
    case TokenKind::Plus:
        return parsePrefix(Operator::UnaryPlus, PrecPower);
    case TokenKind::Not:
    case TokenKind::Bang:
        return parsePrefix(Operator::Not, PrecBitOr);
    case TokenKind::PlusPlus:
    case TokenKind::MinusMinus:
        return parsePreIncrement();
    default:
        operand = missingExpression();
        break;
    }
    if (!isPostfix(m_tok->kind))
        return operand;
    return parsePostfix(std::min(start, operand->range.begin), operand);
}

const Expression* Parser::parsePreIncrement()
{
    const Token token = *m_tok;
    advance();
    DepthGuard guard(m_depth);
    if (guard.tooDeep()) {
        fatal(m_tok->offset, DiagnosticKind::TooDeep);
        return make<ErrorExpression>({prevEnd(), prevEnd()}, 0);
    }
    const Expression* target = parseUnary();
    if (!isAssignable(target))
        error(token.offset, DiagnosticKind::InvalidAssignment);
    auto* unary = make<UnaryExpression>({token.offset, prevEnd()}, target->height);
    unary->op = token.kind == TokenKind::PlusPlus ? Operator::PreIncrement : Operator::PreDecrement;
    unary->operand = target;
    return unary;
}

const Expression* Parser::parsePrefix(Operator op, int operandPrecedence)
{
    const int begin = m_tok->offset;
    advance();
    const Expression* operand = parseExpression(operandPrecedence);
    auto* unary = make<UnaryExpression>({begin, prevEnd()}, operand->height);
    unary->op = op;
    unary->operand = operand;
    return unary;
}

[[gnu::always_inline]] inline const Expression* Parser::parsePostfix(int begin,
                                                                     const Expression* left)
{
    for (;;) {
        switch (m_tok->kind) {
        case TokenKind::LeftParen:
            if (left->kind != NodeKind::Identifier && left->kind != NodeKind::Member)
                return left;
            left = parseCall(begin, left);
            break;
        case TokenKind::LeftBracket: {
            const Token open = *m_tok;
            advance();
            const Expression* index = parseExpression(PrecAssign);
            closeBracket(open, TokenKind::RightBracket);
            auto* subscript = make<SubscriptExpression>({begin, prevEnd()}, heightOf(left, index));
            subscript->object = left;
            subscript->index = index;
            left = subscript;
            break;
        }
        case TokenKind::Dot: {
            advance();
            const Identifier* member = expectName();
            if (!member)
                return left;
            auto* access = make<MemberExpression>({begin, prevEnd()}, heightOf(left, member));
            access->object = left;
            access->member = member;
            left = access;
            break;
        }
        case TokenKind::PlusPlus:
        case TokenKind::MinusMinus: {
            if (!isAssignable(left))
                error(m_tok->offset, DiagnosticKind::InvalidAssignment);
            const Token token = *m_tok;
            advance();
            auto* unary = make<UnaryExpression>({begin, token.end()}, left->height);
            unary->op = token.kind == TokenKind::PlusPlus ? Operator::PostIncrement
                                                          : Operator::PostDecrement;
            unary->operand = left;
            left = unary;
            break;
        }
        default:
            return left;
        }
    }
}

const Expression* Parser::parseCall(int begin, const Expression* callee)
{
    const Token open = *m_tok;
    advance();
    const std::size_t mark = m_nodes.size();
    int height = callee->height;
    if (!at(TokenKind::RightParen)) {
        for (;;) {
            const Expression* argument = parseExpression(PrecAssign);
            height = std::max(height, int(argument->height));
            m_nodes.push_back(argument);
            if (!accept(TokenKind::Comma))
                break;
        }
    }
    closeBracket(open, TokenKind::RightParen);
    auto* call = make<CallExpression>({begin, prevEnd()}, height);
    call->callee = callee;
    call->arguments = takeList<Expression>(m_nodes, mark);
    return call;
}

const Expression* Parser::makeOperand(const Token& token)
{
    switch (token.kind) {
    case TokenKind::Number:
        return makeNumber(token);
    case TokenKind::String:
        return makeString(token);
    default:
        return makeIdentifier(token);
    }
}

const Expression* Parser::missingExpression()
{
    if (!isTerminator(m_tok->kind) && !m_tok->startsLine())
        error(m_tok->offset, DiagnosticKind::UnexpectedToken);
    else
        error(hereOrPrevious(), DiagnosticKind::MissingExpression);
    return make<ErrorExpression>({prevEnd(), prevEnd()});
}

[[gnu::always_inline]] inline const Identifier* Parser::makeIdentifier(const Token& token)
{
    auto* identifier = make<Identifier>({token.offset, token.end()});
    identifier->name = m_data.names.intern(textOf(token), token.value);
    return identifier;
}

[[gnu::always_inline]] inline const Expression* Parser::makeNumber(const Token& token)
{
    auto* number = make<NumberLiteral>({token.offset, token.end()});
    number->value = (token.flags & Token::WholeNumber) ? double(token.value) : numberValue(token);
    return number;
}

double Parser::numberValue(const Token& token) const
{
    const char16_t* s = m_text.utf16() + token.offset;
    char buffer[64];
    std::string longer;
    char* chars = buffer;
    if (token.length > int(sizeof buffer)) {
        longer.resize(std::size_t(token.length));
        chars = longer.data();
    }
    for (int i = 0; i < token.length; ++i)
        chars[i] = s[i] < 0x80 ? char(s[i]) : '?';
    double value = 0;
    const auto result = std::from_chars(chars, chars + token.length, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large for a double is infinite; too small is zero.
        bool small = false;
        for (int i = 0; i < token.length; ++i) {
            if ((chars[i] == 'e' || chars[i] == 'E') && i + 1 < token.length && chars[i + 1] == '-')
                small = true;
        }
        value = small ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return value;
}

const Expression* Parser::makeString(const Token& token)
{
    auto* string = make<StringLiteral>({token.offset, token.end()});
    const bool closed = !(token.flags & Token::Malformed);
    const int begin = token.offset + 1;
    const int end = std::max(begin, token.end() - (closed ? 1 : 0));
    if (!(token.flags & Token::HasEscape)) {
        string->value = m_text.sliced(begin, end - begin);
        return string;
    }
    const char16_t* s = m_text.utf16();
    char16_t* out = m_data.arena.allocateArray<char16_t>(std::size_t(end - begin));
    int n = 0;
    for (int i = begin; i < end; ++i) {
        const char16_t c = s[i];
        if (c != u'\\' || i + 1 >= end) {
            out[n++] = c;
            continue;
        }
        const char16_t d = s[++i];
        switch (d) {
        case u'n':
            out[n++] = u'\n';
            break;
        case u'r':
            out[n++] = u'\r';
            break;
        case u't':
            out[n++] = u'\t';
            break;
        case u'\\':
        case u'"':
            out[n++] = d;
            break;
        default:
            out[n++] = u'\\';
            out[n++] = d;
            break;
        }
    }
    string->value = QStringView(out, n);
    return string;
}

// ---- nodes ----

template <class T> T* Parser::make(SourceRange range, int childHeight)
{
    T* node = new (m_data.arena.allocate(sizeof(T), alignof(T))) T();
    node->kind = T::Kind;
    node->range = range;
    setHeight(node, childHeight);
    return node;
}

template <class T>
std::span<const T* const> Parser::takeList(std::vector<const Node*>& stack, std::size_t mark)
{
    const std::size_t n = stack.size() - mark;
    if (n == 0)
        return {};
    auto** list = m_data.arena.allocateArray<const T*>(n);
    for (std::size_t i = 0; i < n; ++i)
        list[i] = static_cast<const T*>(stack[mark + i]);
    // Erased, not resized: the stack only shrinks here.
    stack.erase(stack.begin() + std::ptrdiff_t(mark), stack.end());
    return {list, n};
}

} // namespace Syntax
