#include "camera/CTerminalDlg.h"

#include "res/ResourceIds.h"

CTerminalDlg::CTerminalDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Terminal"));
}

int CTerminalDlg::GetID() const {
    return res::IDD_TERMINAL;
}
