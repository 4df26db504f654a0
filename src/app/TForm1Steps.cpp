// Completeness of the wizard steps: the first unanswered control of each page, the step
// flags as the shell and the command line read them, and whether generation is allowed.

#include "app/TForm1.h"

namespace App {

bool TForm1::stepDone(int page) const
{
    return page >= 0 && page < WizardPageCount && StepDone[page];
}

Controls::Control* TForm1::firstUnanswered(int page) const
{
    auto* self = const_cast<TForm1*>(this);
    switch (page) {
    case PageStart:
        if (ScriptAccepted)
            return nullptr;
        return Button7.isEnabled() ? &self->Button7 : &self->Button11;
    case PageGeneral:
        if (rgTicker.itemIndex() == -1)
            return &self->rgTicker;
        if ((rgTicker.itemIndex() != 0 && !edName.hasText()) || edName.isInvalid())
            return &self->edName;
        if (rgAccount.itemIndex() == -1)
            return &self->rgAccount;
        if ((rgAccount.itemIndex() != 0 && !edAccount.hasText()) || edAccount.isInvalid())
            return &self->edAccount;
        if (rgSignals.itemIndex() == -1)
            return &self->rgSignals;
        if (cbShow.isGrayed() || !cbShow.isEnabled())
            return &self->cbShow;
        if (cbRefresh.isGrayed() || !cbRefresh.isEnabled())
            return &self->cbRefresh;
        return nullptr;
    case PageSafeguards:
        if (cbReverse.isGrayed() || !cbReverse.isEnabled())
            return &self->cbReverse;
        if (cbOneSignal.isGrayed() || !cbOneSignal.isEnabled())
            return &self->cbOneSignal;
        if (rgInterval.itemIndex() == -1)
            return &self->rgInterval;
        return nullptr;
    case PagePositions:
        if (rgHowPosition.itemIndex() == -1)
            return &self->rgHowPosition;
        if (rgHowPosition.itemIndex() == 0 && rgPositions.itemIndex() == -1)
            return &self->rgPositions;
        return nullptr;
    case PageOrders: {
        // Item numbers are those of the current order list (two items while cbPEG is checked).
        const int order = rgOrders.itemIndex();
        const bool limAkt = cbLimAkt.isChecked();
        if (order == -1)
            return &self->rgOrders;
        if (order == 2 && !edCentDev.isAcceptable())
            return &self->edCentDev;
        if (order == 1 && !edValDev.isAcceptable())
            return &self->edValDev;
        if ((order == 2 || limAkt) && rgDeviation.itemIndex() == -1)
            return &self->rgDeviation;
        if ((limAkt || order == 2) && rgDeviation.itemIndex() == 2 && !edOtherPrice.isAcceptable())
            return &self->edOtherPrice;
        if (!cbPEG.isChecked() && (cbLimAkt.isGrayed() || !cbLimAkt.isEnabled()))
            return &self->cbLimAkt;
        if (limAkt && !edLimAkt.isAcceptable())
            return &self->edLimAkt;
        if (limAkt && rgCentPkt.itemIndex() == -1)
            return &self->rgCentPkt;
        return nullptr;
    }
    default:
        return nullptr;
    }
}

int TForm1::firstIncompleteStep() const
{
    for (int page = PageStart; page <= PageEnd - 1; ++page) {
        if (!StepDone[page] || firstUnanswered(page))
            return page;
    }
    return -1;
}

void TForm1::focusShownStep()
{
    const int page = pcTab.currentIndex();
    Controls::Control* target = firstUnanswered(page);
    if (!target && btDalej.isEnabled())
        target = &btDalej;
    if (!target && page == PageEnd)
        target = btGeneruj.isEnabled() ? static_cast<Controls::Control*>(&btGeneruj) : &btWstecz;
    if (target)
        target->requestFocus();
}

} // namespace App
