#include "kit/CFloatingDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <utility>

#include "kit/Profile.h"
#include "kit/WindowPlacement.h"

using appkit::Profile;
using appkit::WindowPlacement;

CFloatingDlg::CFloatingDlg(QWidget* parent) : QDialog(parent, Qt::Tool) {}

CFloatingDlg::~CFloatingDlg() {
    SavePlacement();
}

bool CFloatingDlg::Create(QWidget* parent) {
    if (created_)
        return true;
    className_ = QString::fromLatin1(metaObject()->className());
    if (parent && parent != parentWidget())
        setParent(parent, windowFlags());
    OnInitDialog();
    created_ = true;
    adjustSize();

    const auto stored =
        WindowPlacement::fromBytes(Profile::GetBinary(appkit::kFloatingWindowsSection, className_));
    if (stored) {
        // Keep the size of the template; only the position comes from the profile.
        storedPosition_ = QPoint(stored->left, stored->top);
        placed_ = true;
        move(*storedPosition_);
        uint32_t showCmd = stored->showCmd;
        if (showOverride >= 1)
            showCmd = WindowPlacement::kShow;
        if (showOverride < 0)
            showCmd = WindowPlacement::kHide;
        setVisible(showCmd != WindowPlacement::kHide);
    } else {
        if (showOverride >= 1)
            shown = 1;
        if (showOverride < 0)
            shown = 0;
        setVisible(shown != 0);
    }
    shown = isVisible() ? 1 : 0;
    return true;
}

void CFloatingDlg::NotifyOwner(int code) {
    emit notify(GetID(), code);
}

void CFloatingDlg::SavePlacement() {
    if (!created_ || placementSaved_)
        return;
    placementSaved_ = true;
    const auto placement =
        WindowPlacement::of(*this, shown ? WindowPlacement::kShow : WindowPlacement::kHide);
    Profile::WriteBinary(appkit::kFloatingWindowsSection, className_, placement.toBytes());
    shown = 0;
}

void CFloatingDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (storedPosition_)
        move(*std::exchange(storedPosition_, std::nullopt));
    else if (!placed_)
        PlaceBesideOwner();
    placed_ = true;
    appkit::MoveOntoNearestScreen(*this);
    shown = 1;
}

void CFloatingDlg::PlaceBesideOwner() {
    appkit::PlaceBesideOwner(*this, parentWidget() ? parentWidget()->window() : nullptr);
}

void CFloatingDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    shown = 0;
    hide();
}

void CFloatingDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

bool CFloatingDlg::event(QEvent* event) {
    // A click on the caption or a border brings the main window forward first.
    if (event->type() == QEvent::NonClientAreaMouseButtonPress) {
        if (QWidget* top = parentWidget() ? parentWidget()->window() : nullptr)
            top->activateWindow();
        activateWindow();
    }
    return QDialog::event(event);
}
