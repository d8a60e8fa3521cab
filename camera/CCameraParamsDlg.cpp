#include "CCameraParamsDlg.h"

#include "ResourceIds.h"

CCameraParamsDlg::CCameraParamsDlg(QWidget* parent) : CFloatingDlg(parent) { setWindowTitle(QStringLiteral("Camera parameters")); }

int CCameraParamsDlg::GetID() const { return res::IDD_CAMERA_PARAMETERS; }
