// The main frame's capture steps: the start/stop handler, the description the
// queued frames are written with, the saving thread's progress and ends, and
// the flushing window at close.
#include "app/CMainFrame.h"
#include "capture/CCaptureSettingsDlg.h"
#include "capture/CFlushingDlg.h"
#include "capture/FileNaming.h"
#include "kit/MessageBox.h"
#include "log/LogSites.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

capture::CaptureEngine::Hooks CMainFrame::captureHooks() {
    // Every hook runs on a capture thread: it posts, never waits for this one.
    capture::CaptureEngine::Hooks hooks;
    hooks.stoppedItself = [this](capture::CaptureEngine::StopReason) {
        QMetaObject::invokeMethod(this, &CMainFrame::OnCaptureStoppedItself, Qt::QueuedConnection);
    };
    hooks.outOfMemory = [this](uint32_t frames, uint64_t used) {
        QMetaObject::invokeMethod(this, "OnCaptureOutOfMemory", Qt::QueuedConnection, Q_ARG(quint32, frames),
                                  Q_ARG(quint64, used));
    };
    hooks.fileFailed = [this](const capture::FrameSaver::Result& result, bool firstOfCapture) {
        logengine::LogCaptureFileFailed(result.path, result.reason);
        if (result.clipResult < 0) {
            // The clip's own box; the capture stops and its queue is gone.
            const int32_t code = result.clipResult;
            QMetaObject::invokeMethod(
                this, [this, code] { ReportError(code); }, Qt::QueuedConnection);
        } else if (firstOfCapture) {
            const QString reason = QString::fromStdString(result.reason);
            QMetaObject::invokeMethod(
                this, [this, reason] { diskFailure_ = reason; }, Qt::QueuedConnection);
        }
    };
    hooks.progress = [this](uint32_t stillQueued) {
        QMetaObject::invokeMethod(this, "OnCaptureProgress", Qt::QueuedConnection,
                                  Q_ARG(quint32, stillQueued));
    };
    hooks.savingFinished = [this] {
        QMetaObject::invokeMethod(this, &CMainFrame::OnCaptureFinished, Qt::QueuedConnection);
    };
    return hooks;
}

void CMainFrame::syncCaptureDescription() {
    CameraDescription description;
    std::shared_ptr<const void> lutOwner;
    {
        std::lock_guard lock(frameLock_);
        description = currentImage_.description;
        lutOwner = currentImage_.lutOwner;
    }
    capture_->setDescription(description, std::move(lutOwner));
}

void CMainFrame::OnCaptureStartStop() {
    if (!grabbing()) {
        if (captureSettings_->IsCaptureOn())
            appkit::ShowMessage(this, res::LoadString(res::IDS_GRABBING_NEEDED), QMessageBox::Critical);
        captureSettings_->SetCaptureOn(false);
    }
    if (captureSettings_->IsCaptureOn())
        startCapture();
    else
        stopCapture();
    UpdateCommandUI(false);
}

void CMainFrame::startCapture() {
    auto job = std::make_shared<const capture::CaptureJob>(capture::JobFrom(captureSettings_->Settings()));
    captureJob_ = job;
    diskFailure_.clear();
    freezeLive_ = job->record.FreezeLive != 0;
    captureStartStatistics_ = {};
    grabber::GetStatistics(card_.get(), channel_, captureStartStatistics_);
    syncCaptureDescription();
    capture_->start(capture::PlanFor(*job), job);
}

void CMainFrame::stopCapture() {
    const uint32_t stillQueued = capture_->stop();
    freezeLive_ = false;
    if (!captureJob_)
        return;
    const std::shared_ptr<const capture::CaptureJob> job = std::exchange(captureJob_, nullptr);
    const capture::CaptureCounts counts = capture_->counts();
    GrabStatistics now{};
    grabber::GetStatistics(card_.get(), channel_, now);
    logengine::LogCaptureSummary(counts.offered, counts.written + stillQueued,
                                 now.overrunCount - captureStartStatistics_.overrunCount,
                                 now.dropCount - captureStartStatistics_.dropCount, counts.lostQueue);
    // The next capture must not overwrite this one's files: its name moves on,
    // unless the user already chose another.
    if (counts.queued != 0) {
        capture::CaptureSettings& settings = captureSettings_->Settings();
        capture::CaptureOptionsRecord& record = job->saveType == capture::kSaveSeries ? settings.series
                                                : job->saveType == capture::kSaveAvi  ? settings.avi
                                                                                      : settings.singleFrame;
        const QString used = capture::GetText(job->record.FileName);
        if (capture::GetText(record.FileName) == used) {
            capture::SetText(record.FileName, capture::AdvanceFileName(used));
            captureSettings_->Save();
        }
    }
    if (stillQueued != 0) {
        captureSettings_->SetProgressRange(stillQueued);
        captureSettings_->SetSavingMode(false);
    }
}

void CMainFrame::OnCaptureStoppedItself() {
    // The engine turned its capture off before this was posted: one that is on
    // again is a new capture, started meanwhile.
    if (!captureSettings_->IsCaptureOn() || capture_->isOn())
        return;
    captureSettings_->SetCaptureOn(false);
    OnCaptureStartStop();
}

void CMainFrame::OnCaptureProgress(quint32 stillQueued) {
    if (flushing_)
        flushing_->SetRemaining(stillQueued);
    else
        captureSettings_->SetProgressRemaining(stillQueued);
}

void CMainFrame::OnCaptureFinished() {
    captureSettings_->SetSavingMode(true);
    if (flushing_)
        flushing_->Finish();
    const uint64_t lost = capture_->counts().lostDisk;
    if (lost != 0 && !diskFailure_.isEmpty()) {
        appkit::ShowMessage(
            this,
            QStringLiteral("%1 captured frames could not be written.\n\n%2").arg(lost).arg(diskFailure_),
            QMessageBox::Critical);
        diskFailure_.clear();
    }
}

void CMainFrame::OnCaptureOutOfMemory(quint32 frames, quint64 memoryUsed) {
    appkit::ShowMessage(this, QString::asprintf(qPrintable(res::LoadString(res::IDS_OUT_OF_MEMORY)),
                                                int(frames), int(memoryUsed / 1048576)));
}

// At close: every queued frame is written, with the flushing window up while
// that takes; then the saving thread ends.
void CMainFrame::flushCapture() {
    captureSettings_->SetCaptureOn(false);
    stopCapture();
    if (const uint32_t queued = capture_->queuedFrames()) {
        CFlushingDlg dialog(queued, this);
        flushing_ = &dialog;
        // The end may have come before the window opened.
        if (capture_->queuedFrames() != 0)
            dialog.exec();
        flushing_ = nullptr;
    }
    captureTimers_.KillAll();
    capture_->shutdown();
}
