// The modal pages that edit the options of one capture mode: single frame, series
// of frames, AVI clip. One class holds the behaviour; a page has only the controls
// of its mode, and a field whose control is absent is left as it is.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "capture/CaptureOptionsRecord.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QLineEdit;
class QPushButton;
class CFpsEdit;
class CSpinEdit;

namespace capture {

// What the pages ask of the rest of the program. Every member may be empty.
struct CaptureOptionsSources {
    // The grabbing rate in frames per second; 0 when unknown.
    std::function<uint32_t()> grabbingRate;
    // The compressors of the movie maker; empty when there are none or listing fails.
    std::function<QStringList()> listCompressors;
    // Makes a compressor the one to use; answers whether it has an options dialog.
    std::function<bool(const QString&)> useCompressor;
    // Shows the chosen compressor's own options dialog, owned by the page; what
    // the user chooses goes into the record's compressor fields.
    std::function<void(QWidget*, CaptureOptionsRecord&)> showCompressorOptions;
    // Runs a file or folder dialog set up by the page; answers the chosen path, empty
    // when none was chosen. When empty, the dialog runs modally.
    std::function<QString(QFileDialog&)> chooseFile;
};

}  // namespace capture

class CCaptureOptions : public QDialog {
    Q_OBJECT
public:
    CCaptureOptions(capture::OptionsPage page, const capture::CaptureOptionsRecord& record,
                    capture::CaptureOptionsSources sources, QWidget* parent = nullptr);

    capture::OptionsPage PageId() const { return page_; }
    // The working copy: what Accept stores, for the caller to take.
    const capture::CaptureOptionsRecord& Record() const { return record_; }

    // Stores the controls into the working copy and closes, unless a value is refused.
    void accept() override;

private:
    QWidget* BuildFileRow();
    QWidget* BuildFileNames();
    QWidget* BuildEvents();
    QWidget* BuildLimits();
    QWidget* BuildClip();
    QWidget* BuildOverlay();
    void ShowRecord();
    void ApplyEventRule();
    void ApplyOverlayRule();
    void ChooseCompressor(const QString& name);
    void Browse();
    void LearnFromCard();
    // Stores a file name; shows a message and answers false when it cannot be stored.
    bool StoreFileName(const QString& name, const QString& refusal);

    using TimeEdits = std::array<CSpinEdit*, 3>;
    // The parts only: the reserved bytes stay as they are.
    static void StoreDuration(const TimeEdits& edits, capture::CaptureDuration& duration);
    static void ShowDuration(const TimeEdits& edits, const capture::CaptureDuration& duration);

    const capture::OptionsPage page_;
    capture::CaptureOptionsRecord record_;
    const capture::CaptureOptionsSources sources_;

    QLineEdit* fileName_ = nullptr;
    QButtonGroup* appendFileName_ = nullptr;
    QButtonGroup* event_ = nullptr;
    TimeEdits captEvery_{};
    TimeEdits limitTime_{};
    TimeEdits totalLimitTime_{};
    CSpinEdit* limitDisk_ = nullptr;
    CSpinEdit* totalLimitDisk_ = nullptr;
    QCheckBox* bufferFrames_ = nullptr;
    QCheckBox* freezeLive_ = nullptr;
    QCheckBox* insertDate_ = nullptr;
    QCheckBox* insertMessage_ = nullptr;
    QCheckBox* insertTimestamp_ = nullptr;
    QLineEdit* message_ = nullptr;
    QComboBox* position_ = nullptr;
    CFpsEdit* fps_ = nullptr;
    QComboBox* compressor_ = nullptr;
    QPushButton* compressorOptions_ = nullptr;
    // Enabled only while capture events are periodic.
    std::vector<QWidget*> perEvent_;
};

// Page 122.
class CSingleFrameOpts : public CCaptureOptions {
    Q_OBJECT
public:
    CSingleFrameOpts(const capture::CaptureOptionsRecord& record, capture::CaptureOptionsSources sources,
                     QWidget* parent = nullptr)
        : CCaptureOptions(capture::kPageSingleFrame, record, std::move(sources), parent) {}
};

// Page 124.
class CMultipleFrameOpts : public CCaptureOptions {
    Q_OBJECT
public:
    CMultipleFrameOpts(const capture::CaptureOptionsRecord& record, capture::CaptureOptionsSources sources,
                       QWidget* parent = nullptr)
        : CCaptureOptions(capture::kPageSeries, record, std::move(sources), parent) {}
};

// Page 123.
class CAVIOpts : public CCaptureOptions {
    Q_OBJECT
public:
    CAVIOpts(const capture::CaptureOptionsRecord& record, capture::CaptureOptionsSources sources,
             QWidget* parent = nullptr)
        : CCaptureOptions(capture::kPageAvi, record, std::move(sources), parent) {}
};
