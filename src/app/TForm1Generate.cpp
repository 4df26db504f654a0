// The summary page (capture and summary tree) and the generation command.

#include "app/TForm1.h"
#include "generator/Pipeline.h"

namespace App {

Afl::OptionSnapshot TForm1::optionSnapshot() const
{
    const auto check = [](const Controls::CheckBox& box) {
        return Afl::OptionSnapshot::Check{box.isChecked(), box.isEnabled()};
    };
    Afl::OptionSnapshot o;
    o.rgTicker = rgTicker.itemIndex();
    o.edName = edName.text();
    o.rgAccount = rgAccount.itemIndex();
    o.edAccount = edAccount.text();
    o.rgSignals = rgSignals.itemIndex();
    o.cbShow = check(cbShow);
    o.cbRefresh = check(cbRefresh);
    o.csRefresh = csRefresh.value();
    o.cbReverse = check(cbReverse);
    o.cbOneSignal = check(cbOneSignal);
    o.rgInterval = rgInterval.itemIndex();
    o.cbIntSecs = cbIntSecs.itemIndex();
    o.csIntSecs = csIntSecs.value();
    o.csIntTicks = csIntTicks.value();
    o.rgHowPosition = rgHowPosition.itemIndex();
    o.rgPositions = rgPositions.itemIndex();
    o.csCount = csCount.value();
    o.csValue = csValue.value();
    o.rgOrders = rgOrders.itemIndex();
    o.edValDev = edValDev.text();
    o.edCentDev = edCentDev.text();
    o.rgDeviation = rgDeviation.itemIndex();
    o.edOtherPrice = edOtherPrice.text();
    o.cbLimAkt = check(cbLimAkt);
    o.rgCentPkt = rgCentPkt.itemIndex();
    o.edLimAkt = edLimAkt.text();
    o.cbComments = cbComments.isChecked();
    o.cbPEG = cbPEG.isChecked();
    o.cbTestMode = cbTestMode.isChecked();
    o.cbSwitch = cbSwitch.isChecked();
    o.cbOrderLog = cbOrderLog.isChecked();
    o.cbDailyCap = cbDailyCap.isChecked();
    o.csDailyCap = csDailyCap.value();
    o.locale = m_locale;
    return o;
}

void TForm1::tbEndShow()
{
    btGeneruj.setEnabled(generationAllowed());
    if (!btGeneruj.isEnabled())
        btExport.setEnabled(false);
    settings = Afl::CaptureSettings(optionSnapshot());
    tvSummary = Afl::BuildSummary(settings, cbIntSecs.currentText(), m_locale);
    notifyChanged();
}

void TForm1::btGenerujClick()
{
    // An incomplete step would put unanswered options into the script: nothing is generated,
    // and the button stays disabled.
    if (!generationAllowed()) {
        btGeneruj.setEnabled(false);
        btExport.setEnabled(false);
        notifyChanged();
        return;
    }
    m_lastGeneration =
        Afl::GenerateScript(rEdit, rGenAFL, rUwagi, analysis, settings, cbShow.isChecked());
    SourceLines = std::move(m_lastGeneration.sourceLines);
    m_lastGeneration.sourceLines.clear();
    pcEdits.setCurrentIndex(2);
    if (m_lastGeneration.success) {
        btGeneruj.setEnabled(false);
        btZapisz.setEnabled(true);
        btExport.setEnabled(true);
        ProjectModified = false;
        GeneratedUnsaved = true;
        ProjectAutoSaved = false;
    }
    notifyChanged();
}

} // namespace App
