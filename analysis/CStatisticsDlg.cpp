#include "CStatisticsDlg.h"

#include "ResourceIds.h"

CStatisticsDlg::CStatisticsDlg(QWidget* parent) : CFloatingDlg(parent) { setWindowTitle(QStringLiteral("Statistics")); }

int CStatisticsDlg::GetID() const { return res::IDD_STATISTICS; }
