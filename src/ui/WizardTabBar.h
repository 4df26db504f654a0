#pragma once
// The tab bar of the wizard: tabs drawn by hand, captions black when their step is done.

#include <functional>

#include <QTabBar>

namespace Shell {

/// Draws each visible tab on the button-face colour (the selected one on the highlight
/// colour) with its caption centred, black when the page's step is done, grey otherwise.
class WizardTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit WizardTabBar(QWidget* parent = nullptr);

    /// Tells whether the step of page index is done.
    void setStepDone(std::function<bool(int)> stepDone) { m_stepDone = std::move(stepDone); }
    /// Caption colour of tab index as drawn now.
    QColor captionColour(int index) const;
    /// Fill colour of tab index as drawn now.
    QColor fillColour(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<bool(int)> m_stepDone;
};

} // namespace Shell
