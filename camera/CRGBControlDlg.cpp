#include "camera/CRGBControlDlg.h"

#include "res/ResourceIds.h"

CRGBControlDlg::CRGBControlDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("RGB Control"));
}

int CRGBControlDlg::GetID() const {
    return res::IDD_RGB_CONTROL;
}
