#pragma once
// Structural scans over a script view: brackets, statement ends, functions, signal assignments.
// Comments are characters of kind Comment, so the view must be coloured since its last change.

#include "analysis/ScriptView.h"

#include <QList>

namespace Lex {

struct FunctionDef
{
    QString name;
    int bodyStart = -1;
    int bodyEnd = -1;
    bool assignsSignal = false;
};

struct SignalBlock
{
    int wordPos = -1;
    int blockStart = -1;
    int blockEnd = -1;
};

using FunctionDefs = QList<FunctionDef>;
using SignalBlocks = QList<SignalBlock>;

/// Whether the character at pos is in a comment.
inline bool IsInComment(const ScriptView& view, int pos)
{
    return view.kindAt(pos) == Kind::Comment;
}

/// First p in [from, to) holding ch outside a comment; -1 if none.
int FindCodeChar(const ScriptView& view, int from, int to, QChar ch);
/// The bracket closing the first opening bracket ("{" or "(") of [from, to) outside comments,
/// counting the brackets outside comments; -1 when from >= to or no opening bracket stands in
/// the range; to - 1 when the range ends before the bracket closes.
int FindMatchingBracket(const ScriptView& view, int from, int to, QChar opening);
/// The last character of the statement whose called name starts at start: its closing
/// bracket, or the ";" after it and the white space after that up to the next other
/// character; -1 when the brackets never balance or only white space follows them.
/// Comments and strings are not told apart.
int FindStatementEnd(const QString& text, int start, QChar opening);
/// First position at or after start holding ch; -1 if none.
int FindCharFrom(const QString& text, int start, QChar ch);
/// Last whole-word occurrence of word outside comments, not counting position 0; -1 if none.
int FindLastCode(const ScriptView& view, QStringView word);
/// Fills defs with the user functions "function name(...) { ... }" outside comments, in
/// text order, their flags cleared.
void CollectFunctions(const ScriptView& view, FunctionDefs& defs);
/// Fills blocks with the outermost brace blocks from from on whose first occurrence of word
/// (whole word) lies outside a comment.
void CollectSignalBlocks(const ScriptView& view, QStringView word, int from, SignalBlocks& blocks);
/// Position of word in its last assignment outside comments ("word =" or "word[...] = ...;"
/// but not "=="); -1 if none. Flags the functions whose body holds a plain assignment.
int FindLastAssignment(const ScriptView& view, QStringView word, FunctionDefs& defs);
/// Name of the function whose body starts at position; empty if none.
QString FunctionNameAt(const FunctionDefs& defs, int position);
/// End of the last call of the user function name outside comments: the first ";" outside
/// comments after its bracketed arguments, or their closing bracket when there is none; -1
/// when name occurs nowhere after position 0 or no "(" follows it.
int CallEndAfterLast(const ScriptView& view, QStringView name);

} // namespace Lex
