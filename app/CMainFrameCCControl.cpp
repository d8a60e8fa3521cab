// The main frame's camera control steps: the sources of CC1 to CC4 and the
// channel's pulse generator, as the CC control window asks. A PLC plug-in drives
// the lines itself, so with one loaded the window's notifications are ignored.
#include "app/CMainFrame.h"
#include "camera/CCCControlDlg.h"
#include "camera/PulseTiming.h"
#include "kit/MessageBox.h"
#include "res/StringTable.h"

void CMainFrame::OnCCControl(int code) {
    if (plcTestDialog_)
        return;
    if (code == CCCControlDlg::kSourceChosen) {
        WriteLineSources();
        SaveChannelFiles();
    } else if (code == CCCControlDlg::kStartStop) {
        if (ccControl_->IsPulseGenStarted())
            StartPulseGenerator();
        else
            grabber::EnablePulseGenerator(card_.get(), channel_, false);
    }
}

void CMainFrame::WriteLineSources() {
    ccControl_->GetCameraControlSettings(settings.cameraControl);
    grabber::SetCameraControl(card_.get(), channel_, settings.cameraControl);
}

// A timing the generator cannot run reaches nothing: "Start" pops out again,
// which stops the generator.
void CMainFrame::StartPulseGenerator() {
    ccControl_->GetPulseGeneratorSettings(settings.pulseGenerator);
    if (const int failed = cccontrol::PeriodCheck(settings.pulseGenerator); failed != 0) {
        appkit::ShowMessage(this, res::LoadString(failed));
        ccControl_->SetPulseGenStarted(false);
        return;
    }
    WriteLineSources();
    grabber::SetPulseGenerator(card_.get(), channel_, settings.pulseGenerator);
    grabber::SetCameraControl(card_.get(), channel_, settings.cameraControl);
    grabber::EnablePulseGenerator(card_.get(), channel_, true);
    SaveChannelFiles();
}

// The channel's records into the window. A generator left running belongs to the
// settings being replaced (a channel that was left has stopped its own), so
// "Start" is released first: the window never shows a generator that does not run,
// and a loaded file never starts one by itself.
void CMainFrame::RefreshCCControl() {
    if (plcTestDialog_ || !ccControl_->IsCreated())
        return;
    if (ccControl_->IsPulseGenStarted())
        ccControl_->SetPulseGenStarted(false);
    ccControl_->SetPulseGeneratorSettings(settings.pulseGenerator);
    ccControl_->SetCameraControlSettings(settings.cameraControl);
}
