#include "capture/CFlushingDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "res/ResourceIds.h"

CFlushingDlg::CFlushingDlg(uint32_t count, QWidget* parent) : QDialog(parent), count_(count) {
    setObjectName(QString::number(res::IDD_FLUSHING));
    setWindowTitle(QStringLiteral("Glintrail Express"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Flushing images to disk. Please Wait!"), this));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("1169"));
    progress_->setRange(0, int(count));
    progress_->setValue(0);
    layout->addWidget(progress_);
}

void CFlushingDlg::SetRemaining(uint32_t remaining) {
    progress_->setValue(int(count_ - std::min(remaining, count_)));
}

void CFlushingDlg::Finish() {
    finished_ = true;
    done(1);
}

void CFlushingDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void CFlushingDlg::closeEvent(QCloseEvent* event) {
    // Closing it would not stop the writing; only its end closes the window.
    if (!finished_)
        event->ignore();
}
