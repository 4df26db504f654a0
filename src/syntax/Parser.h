#pragma once
// The recursive-descent AFL parser that fills a tree's storage from its text.

#include "syntax/Lexer.h"
#include "syntax/Nodes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace Syntax {

struct TreeData;

/// Nesting limit: no node's subtree is higher, and the parser never recurses deeper. Text
/// nested deeper is reported as too deep, and its tree has no statements.
constexpr int MaxDepth = 500;

/// Parses data.text into data: the statements, names, comment and string ranges, line starts
/// and at most MaxDiagnostics diagnostics, sorted by offset. Recovers after an error at the
/// next statement. Used through SyntaxTree::parse.
class Parser
{
public:
    static void parse(TreeData& data);

private:
    explicit Parser(TreeData& data);
    void run();

    // tokens
    void advance()
    {
        ++m_consumed;
        if (++m_tok >= m_stop) [[unlikely]]
            reachStop();
    }
    /// advance() at m_stop: reads the next batch, or takes a token the lexer reported.
    void reachStop();
    /// Reads the next batch of tokens behind those not yet taken (from m_tok on).
    void refill();
    /// Sets m_stop after the tokens were read or taken.
    void setStop();
    /// The token after the current one.
    const Token& peek()
    {
        if (m_tok + 1 >= m_last && !m_aborted) {
            refill();
            if (m_aborted)
                stopReading();
        }
        return m_tok[1];
    }
    bool at(TokenKind kind) const { return m_tok->kind == kind; }
    /// After the last diagnostic: from here on every token is the end.
    void stopReading()
    {
        m_ends[0] = m_tok[-1];
        m_tok = m_ends.data() + 1;
        m_last = m_tok + 1;
        m_stop = m_last;
    }
    /// Where the token before the current one ends (0 before the first).
    int prevEnd() const { return m_tok[-1].end(); }
    bool accept(TokenKind kind)
    {
        if (!at(kind))
            return false;
        advance();
        return true;
    }
    QStringView textOf(const Token& token) const
    {
        return QStringView(m_text.utf16() + token.offset, token.length);
    }

    // errors
    void error(int offset, DiagnosticKind kind);
    void fatal(int offset, DiagnosticKind kind);
    void addDiagnostic(int offset, DiagnosticKind kind);
    void takeLexerErrors();
    int hereOrPrevious() const;
    void synchronize();
    bool isStopToken() const;

    // statements
    const Statement* parseStatement();
    const Statement* parseBody();
    const Block* parseBlock();
    const Block* finishBlock(Token open, bool braced);
    const Statement* parseIf();
    const Statement* parseFor();
    const Statement* parseWhile();
    const Statement* parseDoWhile();
    const Statement* parseSwitch();
    const Statement* parseJump();
    const Statement* parseReturn();
    const Statement* parseFunction();
    const Statement* parseDeclaration(DeclarationScope scope);
    const Statement* parseDirective();
    const Statement* parseExpressionStatement();
    const Statement* skipStray(DiagnosticKind kind);
    // Inline, as is closeBracket: the semicolon or bracket is almost always there.
    void expectSemicolon()
    {
        if (!at(TokenKind::Semicolon)) [[unlikely]] {
            missingSemicolon();
            return;
        }
        m_panic = false;
        advance();
    }
    void missingSemicolon();
    const Expression* parseCondition();
    const Identifier* expectName();
    void strayClosingBrace();
    void noteBraceIndentation(const Token& open, const Token& close);
    int unclosedBraceOffset(const Token& open) const;

    // expressions
    /// An expression of operators binding at least as strongly as minPrecedence.
    const Expression* parseExpression(int minPrecedence)
    {
        // Most operands stand alone before a comma, a bracket or a semicolon.
        const TokenKind kind = m_tok->kind;
        if (kind == TokenKind::Identifier || kind == TokenKind::Number ||
            kind == TokenKind::String) {
            // Looking ahead may read the lexer's errors and stop the parser at the last one.
            const TokenKind next = peek().kind;
            if (!m_aborted && (next == TokenKind::Comma || next == TokenKind::RightParen ||
                               next == TokenKind::Semicolon || next == TokenKind::RightBracket)) {
                const Expression* operand = makeOperand(*m_tok);
                advance();
                return operand;
            }
        }
        return parseOperators(minPrecedence);
    }
    /// parseExpression for an operand that is not alone.
    const Expression* parseOperators(int minPrecedence);
    const Expression* parseUnary();
    /// `++x`, `--x`.
    const Expression* parsePreIncrement();
    /// `-x`, `+x`, `NOT x`: the operand is read at operandPrecedence.
    const Expression* parsePrefix(Operator op, int operandPrecedence);
    const Expression* parsePostfix(int begin, const Expression* left);
    const Expression* makeOperand(const Token& token);
    const Expression* parseCall(int begin, const Expression* callee);
    const Identifier* makeIdentifier(const Token& token);
    const Expression* makeNumber(const Token& token);
    /// The value of a number token that is not a whole number of up to nine digits.
    double numberValue(const Token& token) const;
    const Expression* makeString(const Token& token);
    const Expression* missingExpression();
    static bool isAssignable(const Expression* e)
    {
        return e->kind == NodeKind::Identifier || e->kind == NodeKind::Subscript ||
               e->kind == NodeKind::Member;
    }
    bool closeBracket(const Token& open, TokenKind close)
    {
        if (accept(close)) [[likely]]
            return true;
        error(open.offset, DiagnosticKind::UnclosedParenthesis);
        return false;
    }

    // nodes
    /// A node of type T over range whose highest child is childHeight high (0: a leaf).
    template <class T> T* make(SourceRange range, int childHeight = 0);
    template <class T>
    std::span<const T* const> takeList(std::vector<const Node*>& stack, std::size_t mark);
    /// The height of the highest of nodes; a missing (null) one counts 0.
    template <class... Nodes> static int heightOf(const Nodes*... nodes)
    {
        return std::max({0, (nodes ? int(nodes->height) : 0)...});
    }
    void setHeight(Node* node, int childHeight)
    {
        node->height = std::uint16_t(childHeight < MaxDepth ? childHeight + 1 : MaxDepth + 1);
        if (childHeight >= MaxDepth) [[unlikely]]
            fatal(node->range.begin, DiagnosticKind::TooDeep);
    }

    struct BraceEvent
    {
        int open = 0;
        int close = 0;
        bool closeDeeper = false; // the closing brace is indented deeper than its opening line
        bool used = false;
    };

    struct Pending
    {
        int offset;
        DiagnosticKind kind;
    };

    TreeData& m_data;
    QStringView m_text;
    Lexer m_lexer;
    // Tokens are read from the lexer in batches into m_buffer; m_tok is the current one, and
    // m_last is after the last one read. Once the parser stops, m_tok is m_ends[1]. The
    // token before the current one is always kept before it (for prevEnd()): the batch
    // starts at m_buffer[1], and m_ends[0] holds the last token taken.
    static constexpr int BufferSize = 64;
    std::array<Token, BufferSize + 1> m_buffer{};
    std::array<Token, 3> m_ends{};
    const Token* m_tok = m_buffer.data() + 1;
    const Token* m_last = m_buffer.data() + 1;
    // Where advance() leaves its fast path: m_last, or before it the next token that the
    // lexer reported (only a batch with lexer errors has such tokens, so most batches go
    // without looking at each token's flags).
    const Token* m_stop = m_buffer.data() + 1;
    bool m_batchHasErrors = false;
    unsigned m_consumed = 0;
    int m_depth = 0;
    bool m_panic = false;
    bool m_aborted = false;
    bool m_tooDeep = false;
    std::size_t m_lexerErrors = 0;
    std::vector<Pending> m_pending;
    std::vector<BraceEvent> m_braceEvents;
    std::vector<const Node*> m_statements; // stack of statement lists being built
    std::vector<const Node*> m_nodes;      // stack of other lists being built
    std::vector<Declarator> m_declarators;
};

} // namespace Syntax
