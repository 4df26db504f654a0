// The option controls of wizard pages 1 to 4: the enabling chains, the invalid marks, the
// four step checks and MarkModified / ResetOptions.

#include "app/TForm1.h"

#include <cmath>

namespace App {

using Controls::CheckState;

void TForm1::MarkModified()
{
    if (!ProjectModified) {
        rGenAFL.clear();
        btGeneruj.setEnabled(true);
        btZapisz.setEnabled(false);
        btExport.setEnabled(false);
    }
    ProjectModified = true;
    notifyChanged();
}

void TForm1::ResetOptions()
{
    rgTicker.setItemIndex(-1);
    edName.setText(QString());
    edName.setInvalid(false);
    edName.setEnabled(false);

    rgAccount.setItemIndex(-1);
    edAccount.setText(QString());
    edAccount.setInvalid(false);
    edAccount.setEnabled(false);

    rgSignals.setItemIndex(-1);
    rgSignals.setEnabled(false);

    cbShow.setState(CheckState::Grayed);
    cbShow.setEnabled(false);
    cbRefresh.setState(CheckState::Grayed);
    cbRefresh.setEnabled(false);
    csRefresh.setEnabled(false);

    cbReverse.setState(CheckState::Grayed);
    cbOneSignal.setState(CheckState::Grayed);
    cbOneSignal.setEnabled(false);

    rgInterval.setItemIndex(-1);
    rgInterval.setEnabled(false);
    cbIntSecs.setEnabled(false);
    csIntSecs.setEnabled(false);
    csIntTicks.setEnabled(false);

    rgHowPosition.setItemIndex(-1);
    rgPositions.setItemIndex(-1);
    rgPositions.setEnabled(false);
    csCount.setEnabled(false);
    csValue.setEnabled(false);

    rgOrders.setItemIndex(-1);
    rgDeviation.setItemIndex(-1);
    rgDeviation.setEnabled(false);

    // All texts first: emptying edCentDev runs rgOrdersClick, which would mark an already
    // reset edValDev again.
    const std::initializer_list<Controls::Edit*> values = {&edOtherPrice, &edValDev, &edCentDev,
                                                           &edLimAkt};
    for (Controls::Edit* edit : values)
        edit->setText(QString());
    for (Controls::Edit* edit : values) {
        edit->setInvalid(false);
        edit->setEnabled(false);
    }

    // While the from-grayed marker is armed, both changes end unchecked.
    cbLimAkt.setState(CheckState::Checked);
    cbLimAkt.setState(CheckState::Grayed);
    cbLimAkt.setEnabled(false);

    rgCentPkt.setItemIndex(-1);
    rgCentPkt.setEnabled(false);

    // The safety switches as a new project has them: all off, the cap at its default.
    for (Controls::CheckBox* box : {&cbTestMode, &cbSwitch, &cbOrderLog, &cbDailyCap})
        box->setChecked(false);
    csDailyCap.setValue(DailyCapDefault);
    csDailyCap.setEnabled(false);

    for (int page = PageGeneral; page <= PageEnd; ++page)
        StepDone[page] = false;
    hideTabsFrom(PageGeneral);
    notifyChanged();
}

// Each check asks firstUnanswered for its page, records the result and hides later tabs.

bool TForm1::CheckGeneralStep()
{
    const bool done = !firstUnanswered(PageGeneral);
    StepDone[PageGeneral] = done;
    if (!done)
        hideTabsFrom(PageSafeguards);
    return done;
}

bool TForm1::CheckSafeguardsStep()
{
    StepDone[PageSafeguards] = !firstUnanswered(PageSafeguards);
    return StepDone[PageSafeguards];
}

bool TForm1::CheckPositionsStep()
{
    const bool done = !firstUnanswered(PagePositions);
    StepDone[PagePositions] = done;
    if (!done)
        hideTabsFrom(PageOrders);
    return done;
}

bool TForm1::CheckOrdersStep()
{
    const bool done = !firstUnanswered(PageOrders);
    StepDone[PageOrders] = done;
    if (!done)
        pcTab.setTabVisible(PageEnd, false);
    return done;
}

// ---- Page 1

void TForm1::rgTickerClick()
{
    MarkModified();
    const int item = rgTicker.itemIndex();
    edName.setEnabled(item != 0);
    edName.setInvalid(!(item == 0 || edName.hasText()));
    if (item == 0)
        rgAccount.setEnabled(true);
    if (item == 1) {
        if (edName.hasText())
            rgAccount.setEnabled(true);
        focusOnPage(edName, PageGeneral);
    }
    updateNext(CheckGeneralStep());
}

void TForm1::edNameChange()
{
    MarkModified();
    if (rgTicker.itemIndex() != 0) {
        if (edName.hasText() && !rgAccount.isEnabled())
            rgAccount.setEnabled(true);
        edName.setInvalid(!edName.hasText());
    }
    updateNext(CheckGeneralStep());
}

void TForm1::rgAccountClick()
{
    MarkModified();
    const int item = rgAccount.itemIndex();
    edAccount.setEnabled(item != 0);
    edAccount.setInvalid(!(item == 0 || edAccount.hasText()));
    if (item == 0)
        rgSignals.setEnabled(true);
    if (item == 1) {
        if (edAccount.hasText())
            rgSignals.setEnabled(true);
        focusOnPage(edAccount, PageGeneral);
    }
    updateNext(CheckGeneralStep());
}

void TForm1::edAccountChange()
{
    MarkModified();
    if (rgAccount.itemIndex() != 0) {
        if (edAccount.hasText() && !rgSignals.isEnabled())
            rgSignals.setEnabled(true);
        edAccount.setInvalid(!edAccount.hasText());
    }
    updateNext(CheckGeneralStep());
}

void TForm1::rgSignalsClick()
{
    MarkModified();
    cbShow.setEnabled(true);
    updateNext(CheckGeneralStep());
}

void TForm1::cbShowClick()
{
    MarkModified();
    cbRefresh.setEnabled(true);
    updateNext(CheckGeneralStep());
}

void TForm1::cbRefreshClick()
{
    csRefresh.setEnabled(cbRefresh.isChecked());
    MarkModified();
    updateNext(CheckGeneralStep());
}

// ---- Page 2

void TForm1::cbReverseClick()
{
    MarkModified();
    cbOneSignal.setEnabled(true);
    updateNext(CheckSafeguardsStep());
}

void TForm1::cbOneSignalClick()
{
    MarkModified();
    rgInterval.setEnabled(true);
    updateNext(CheckSafeguardsStep());
}

void TForm1::rgIntervalClick()
{
    MarkModified();
    const int item = rgInterval.itemIndex();
    if (item >= 0 && item <= 3) {
        cbIntSecs.setEnabled(item == 1);
        csIntSecs.setEnabled(item == 2);
        csIntTicks.setEnabled(item == 3);
    }
    updateNext(CheckSafeguardsStep());
}

// The safety switches change the generated script only; the step does not ask for them.

void TForm1::cbTestModeClick()
{
    MarkModified();
}

void TForm1::cbSwitchClick()
{
    MarkModified();
}

void TForm1::cbOrderLogClick()
{
    MarkModified();
}

void TForm1::cbDailyCapClick()
{
    MarkModified();
    csDailyCap.setEnabled(cbDailyCap.isChecked());
}

void TForm1::csDailyCapChange()
{
    MarkModified();
}

// ---- Page 3

void TForm1::rgHowPositionClick()
{
    MarkModified();
    rgPositions.setEnabled(rgHowPosition.itemIndex() == 0);
    updateNext(CheckPositionsStep());
}

void TForm1::rgPositionsClick()
{
    MarkModified();
    csCount.setEnabled(rgPositions.itemIndex() == 0);
    csValue.setEnabled(rgPositions.itemIndex() == 1);
    updateNext(CheckPositionsStep());
}

// ---- Page 4

void TForm1::rgOrdersClick()
{
    MarkModified();
    const int item = rgOrders.itemIndex();
    edCentDev.setEnabled(item == 2);
    edValDev.setEnabled(item == 1);
    rgDeviationClick();
    if (item == 0) {
        edValDev.setInvalid(false);
        edCentDev.setInvalid(false);
        cbLimAkt.setEnabled(true);
        rgDeviation.setEnabled(cbLimAkt.isChecked());
    } else if (item == 2) {
        edValDev.setInvalid(false);
        focusOnPage(edCentDev, PageOrders);
        if (edCentDev.isAcceptable())
            rgDeviation.setEnabled(true);
        else if (!cbPEG.isChecked())
            edCentDev.setInvalid(true);
        if (cbLimAkt.isGrayed())
            cbLimAkt.setEnabled(false);
    } else {
        edCentDev.setInvalid(false);
        focusOnPage(edValDev, PageOrders);
        if (edValDev.isAcceptable())
            cbLimAkt.setEnabled(true);
        else
            edValDev.setInvalid(true);
    }
    if (cbPEG.isChecked())
        cbLimAkt.setEnabled(false);
    updateNext(CheckOrdersStep());
}

void TForm1::rgDeviationClick()
{
    MarkModified();
    const int item = rgDeviation.itemIndex();
    edOtherPrice.setEnabled(item == 2);
    if (item == 2) {
        if (edOtherPrice.numberValid() && edOtherPrice.hasText())
            cbLimAkt.setEnabled(true);
        else
            edOtherPrice.setInvalid(true);
    } else {
        cbLimAkt.setEnabled(true);
        edOtherPrice.setInvalid(false);
    }
    if (cbPEG.isChecked())
        cbLimAkt.setEnabled(false);
    updateNext(CheckOrdersStep());
}

void TForm1::cbLimAktMouseDown()
{
    const int magnitude = cbLimAkt.tag() == 0 ? 1 : std::abs(cbLimAkt.tag());
    cbLimAkt.setTag(cbLimAkt.isGrayed() ? -magnitude : magnitude);
}

void TForm1::cbLimAktClick()
{
    MarkModified();
    if (limAktFromGrayed())
        cbLimAkt.setState(CheckState::Unchecked);
    const bool checked = cbLimAkt.isChecked();
    edLimAkt.setEnabled(checked);
    rgCentPkt.setEnabled(checked);
    if (!checked)
        edLimAkt.setInvalid(false);
    else if (!edLimAkt.hasText())
        edLimAkt.setInvalid(true);
    if (rgDeviation.isEnabled() && checked)
        rgCentPktClick();
    if (rgOrders.itemIndex() != 0)
        rgDeviationClick();
    else if (checked)
        rgDeviationClick();
    else
        edOtherPrice.setInvalid(false);
    updateNext(CheckOrdersStep());
}

void TForm1::rgCentPktClick()
{
    MarkModified();
    if (cbLimAkt.isChecked() && !rgDeviation.isEnabled()) {
        if (edLimAkt.isAcceptable()) {
            rgDeviation.setEnabled(true);
        } else {
            edLimAkt.setInvalid(true);
            focusOnPage(edLimAkt, PageOrders);
        }
    }
    updateNext(CheckOrdersStep());
}

void TForm1::edLimAktChange(Controls::Edit& sender)
{
    MarkModified();
    bool ok = false;
    const double value = m_locale.toDouble(sender.text(), &ok);
    sender.setInvalid(!(ok && std::isfinite(value) && value >= 0));
    sender.setNumberValid(!sender.isInvalid());
    if (&sender == &edCentDev || &sender == &edValDev)
        rgOrdersClick();
    else if (&sender == &edLimAkt)
        rgCentPktClick();
    else if (&sender == &edOtherPrice)
        rgDeviationClick();
    updateNext(CheckOrdersStep());
}

void TForm1::cbPEGClick()
{
    rebuildOrders(false);
}

void TForm1::rebuildOrders(bool keepOrder)
{
    const int previous = rgOrders.itemIndex();
    MarkModified();
    rgOrders.clearItems();
    if (cbPEG.isChecked()) {
        rgOrders.addItem(QStringLiteral("Bez limitu"));
        rgOrders.addItem(QStringLiteral("Z limitem (zł/pkt.) "));
        edCentDev.setVisible(false);
        cbLimAkt.setEnabled(false);
        rgDeviation.setEnabled(false);
    } else {
        rgOrders.addItem(QStringLiteral("PKC"));
        rgOrders.addItem(QStringLiteral("Z limitem (zł/pkt.) "));
        rgOrders.addItem(QStringLiteral("Z limitem (% odchylenia) "));
        edCentDev.setVisible(true);
        edCentDev.setEnabled(true);
    }
    // Arriving on the page keeps the answer: the same order type is selected again, which
    // runs rgOrdersClick and so rebuilds the enabling from it.
    if (keepOrder && previous >= 0 && previous < rgOrders.items().size())
        rgOrders.setItemIndex(previous);
    // A list left without a selection leaves the step undone; Next follows it on this page.
    const bool done = CheckOrdersStep();
    if (pcTab.currentIndex() == PageOrders)
        updateNext(done);
}

} // namespace App
