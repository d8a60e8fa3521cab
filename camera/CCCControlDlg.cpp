#include "camera/CCCControlDlg.h"

#include "res/ResourceIds.h"

CCCControlDlg::CCCControlDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("CC Control"));
}

int CCCControlDlg::GetID() const {
    return res::IDD_CC_CONTROL;
}
