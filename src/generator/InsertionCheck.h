#pragma once
// Where the order sections may stand, checked against the syntax tree of the working copy:
// between two statements, outside comments, strings and loops, after every statement that
// computes Buy or Sell; moved after the last such statement when the point found fails.

namespace Syntax {
class SyntaxTree;
} // namespace Syntax

namespace Afl {

/// Why an insertion point fails the check (the first reason found, in this order).
enum class InsertionFault
{
    None,
    InCommentOrString,
    InLoop,
    SplitsStatement,
    BeforeSignals,
};

struct InsertionCheck
{
    enum class Outcome
    {
        /// The point passed the check and stays.
        Passed,
        /// The point failed; the sections go after the last statement computing a signal.
        Moved,
        /// The text has syntax errors: the point stays, unchecked.
        SyntaxErrors,
        /// The point failed, but no statement computes Buy or Sell: it stays.
        NoSignals,
    };
    Outcome outcome = Outcome::Passed;
    InsertionFault fault = InsertionFault::None;
    /// Where the sections go: the point given, or where they were moved.
    int point = -1;
    /// When moved: the offset just past the statement they now follow.
    int after = -1;
};

/// Checks point, where the sections would be inserted into the tree's text (before the
/// character at point; the text's length for its end). A statement computes a signal when
/// it assigns Buy or Sell, or calls a user function that does, directly or through others;
/// the statement moved past is the top-level one holding the last such statement, so it is
/// taken out of every loop and whole when it is part of a larger statement. From there blank
/// characters, ";" and comments are passed over.
InsertionCheck CheckInsertionPoint(const Syntax::SyntaxTree& tree, int point);

} // namespace Afl
