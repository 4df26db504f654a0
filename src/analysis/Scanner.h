#pragma once
// Structural scans over a script view: brackets, statement ends, functions, signal assignments.
// Comments are recognised by their colour, so the view must be coloured since its last change.

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

int FindWord(const ScriptView& view, QStringView word, int start, int length);
int FindPlain(const ScriptView& view, QStringView text, int start, int length);
Colour CharColourAt(const ScriptView& view, int pos);
void SetRangeStyle(ScriptView& view, int start, int length, Colour colour, Styles styles);
inline bool IsInComment(const ScriptView& view, int pos)
{
    return view.charColourAt(pos) == Colours::Comment;
}

int FindCodeChar(const ScriptView& view, int from, int to, QChar ch);
int FindMatchingBracket(const ScriptView& view, int from, int to, QChar opening);
int FindStatementEnd(const QString& text, int start, QChar opening);
int FindCharFrom(const QString& text, int start, QChar ch);
int FindLastCode(const ScriptView& view, QStringView word);
void CollectFunctions(const ScriptView& view, FunctionDefs& defs);
void CollectSignalBlocks(const ScriptView& view, QStringView word, int from, SignalBlocks& blocks);
int FindLastAssignment(const ScriptView& view, QStringView word, FunctionDefs& defs);
QString FunctionNameAt(const FunctionDefs& defs, int position);
int CallEndAfterLast(const ScriptView& view, QStringView name);

} // namespace Lex
