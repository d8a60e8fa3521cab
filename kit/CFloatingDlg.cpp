#include "kit/CFloatingDlg.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
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

// Without a stored placement a tool window would open wherever the window system
// puts it (often over the main window's menu); it goes beside the main window,
// each next one a step lower, on the main window's screen.
void CFloatingDlg::PlaceBesideOwner() {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    QList<QRect> workAreas;
    for (const QScreen* screen : QGuiApplication::screens())
        workAreas << screen->availableGeometry();
    const QRect work = appkit::NearestWorkArea(owner->frameGeometry(), workAreas);
    if (work.isNull())
        return;
    // Below the main window's menu and toolbar, where its central widget starts.
    const auto* main = qobject_cast<const QMainWindow*>(owner);
    const QWidget* content = main && main->centralWidget() ? main->centralWidget() : owner;
    const int contentTop = content->mapToGlobal(QPoint(0, 0)).y();
    static int placedSoFar = 0;
    move(appkit::FirstPlacement(frameGeometry().size(), owner->frameGeometry(), contentTop, work,
                                placedSoFar++ % 8));
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
