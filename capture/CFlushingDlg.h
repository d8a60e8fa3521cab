// "Flushing images to disk. Please Wait!": shown modally at close while captured
// frames are still being written. Enter and Escape do not close it; the end of
// the writing does.
#pragma once

#include <QDialog>
#include <cstdint>

class QProgressBar;

class CFlushingDlg : public QDialog {
    Q_OBJECT
public:
    // count: the frames queued when it opens, the progress bar's range.
    explicit CFlushingDlg(uint32_t count, QWidget* parent = nullptr);
    void SetRemaining(uint32_t remaining);
    // The frames are written: closes with result 1.
    void Finish();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* progress_ = nullptr;
    uint32_t count_ = 0;
    bool finished_ = false;
};
