#include "app/CCardTesterDlg.h"

#include "res/ResourceIds.h"

CCardTesterDlg::CCardTesterDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Card Register Tester"));
}

int CCardTesterDlg::GetID() const {
    return res::IDD_CARD_TESTER;
}
