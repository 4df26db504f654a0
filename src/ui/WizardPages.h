#pragma once
// The widgets of the six wizard pages, each control placed beside the item it belongs to.

#include <QList>
#include <QWidget>

namespace App {
class TForm1;
}

namespace Shell {

class RadioGroupWidget;
class SummaryTree;

/// Builds the page widgets of pcTab from the form's control models. Widgets sit at fixed
/// places in a page, as in a designed form; a value control that belongs to a radio item
/// follows that item whenever the group lays its items out again.
class WizardPages
{
public:
    /// The six page widgets in page order, each bound to its models; they are made as
    /// children of parent (so they take its font) until the page control adopts them.
    static QList<QWidget*> build(App::TForm1& form, QWidget* parent, SummaryTree** summary);

    /// Keeps widget beside item of group: vertically centred on the item, left of it the
    /// item's caption, or at the right edge of the widest caption of alignItems when given.
    static void placeBeside(RadioGroupWidget* group, int item, QWidget* widget, int width,
                            const QList<int>& alignItems = {});

    /// Width of the usable area of a page.
    static constexpr int PageWidth = 530;
};

} // namespace Shell
