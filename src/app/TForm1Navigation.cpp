// Wizard navigation: Next, Back, the page change handlers, step texts and the restart command.

#include "app/Dymki.h"
#include "app/TForm1.h"

namespace App {

void TForm1::btDalejClick()
{
    const int current = pcTab.currentIndex();
    if (current + 1 >= pcTab.pageCount())
        return;
    StepDone[current] = true;
    pcTab.navigate(current + 1);
    pcTab.setTabVisible(pcTab.currentIndex(), true);
    btWstecz.setVisible(true);
    btWstecz.setEnabled(true);
    if (pcTab.currentIndex() == PageEnd)
        btDalej.setEnabled(false);
}

void TForm1::btWsteczClick()
{
    pcTab.navigate(pcTab.currentIndex() - 1);
    if (pcTab.currentIndex() == PageStart)
        btWstecz.setEnabled(false);
}

void TForm1::pcTabChanging()
{
    StepDone[pcTab.currentIndex()] = btDalej.isEnabled();
}

void TForm1::pcTabChange()
{
    const int page = pcTab.currentIndex();
    ShowStep(page);
    btDalej.setEnabled(StepDone[page]);
    // Back goes nowhere from the first page, also when a tab was clicked to get there.
    btWstecz.setEnabled(page != PageStart);
    if (page == PageOrders)
        rebuildOrders(true);
    focusShownStep();
}

void TForm1::ShowStep(int page)
{
    setStepTexts(StepTitle.value(page), StepHint.value(page));
}

void TForm1::FillStepTexts()
{
    Dymki::FillStepTexts(StepTitle, StepHint);
}

void TForm1::Uruchomwizarda1Click()
{
    pcTab.setCurrentIndex(PageStart);
    ShowStep(PageStart);
    Button7Click();
    btWstecz.setEnabled(false);
    ResetOptions();
    if (!rEdit.isEmpty() && leAFL.hasText()) {
        Button7.setEnabled(true);
        btDalej.setEnabled(true);
    }
}

} // namespace App
