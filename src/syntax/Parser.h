#pragma once
// The recursive-descent AFL parser that fills a tree's storage from its text.

#include "syntax/Lexer.h"
#include "syntax/Nodes.h"

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
        m_prevEnd = m_tok.end();
        ++m_consumed;
        if (m_aborted) [[unlikely]] {
            m_tok = {TokenKind::End, 0, int(m_text.size()), 0};
            return;
        }
        if (++m_index >= m_count) [[unlikely]] {
            refill();
            // The lexer's errors taken with the new tokens may have reached the limit.
            if (m_aborted) {
                m_tok = {TokenKind::End, 0, int(m_text.size()), 0};
                return;
            }
        }
        m_tok = m_buffer[std::size_t(m_index)];
        // The lexer has reported this token's error; the parser's own errors wait for a new
        // statement.
        if (m_tok.flags & Token::Malformed) [[unlikely]]
            m_panic = true;
    }
    void refill();
    /// The token after the current one.
    const Token& peek()
    {
        if (m_index + 1 >= m_count)
            refill();
        return m_buffer[std::size_t(m_index + 1)];
    }
    bool at(TokenKind kind) const { return m_tok.kind == kind; }
    bool accept(TokenKind kind);
    QStringView textOf(const Token& token) const;

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
    void expectSemicolon();
    const Expression* parseCondition();
    const Identifier* expectName();
    void strayClosingBrace();
    void noteBraceIndentation(const Token& open, const Token& close);
    int unclosedBraceOffset(const Token& open) const;

    // expressions
    const Expression* parseExpression(int minPrecedence);
    const Expression* parseUnary();
    const Expression* parsePostfix(int begin, const Expression* left);
    const Expression* parsePrimary();
    const Expression* makeOperand(const Token& token);
    const Expression* parseCall(int begin, const Expression* callee);
    const Identifier* makeIdentifier(const Token& token);
    const Expression* makeNumber(const Token& token);
    const Expression* makeString(const Token& token);
    const Expression* missingExpression();
    bool isAssignable(const Expression* e) const;
    bool closeBracket(const Token& open, TokenKind close);

    // nodes
    template <class T> T* make(SourceRange range, std::initializer_list<const Node*> children = {});
    template <class T>
    std::span<const T* const> takeList(std::vector<const Node*>& stack, std::size_t mark);
    void setHeight(Node* node, std::initializer_list<const Node*> children)
    {
        int height = 0;
        for (const Node* child : children) {
            if (child && child->height > height)
                height = child->height;
        }
        setHeight(node, height);
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
    Token m_tok;
    // Tokens are read from the lexer in batches; m_tok is m_buffer[m_index].
    static constexpr int BufferSize = 64;
    std::array<Token, BufferSize> m_buffer{};
    int m_index = 0;
    int m_count = 0;
    int m_prevEnd = 0;
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
