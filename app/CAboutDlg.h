// The About box: versions of the viewer, the card library, the driver and the firmware.
#pragma once

#include <QDialog>
#include <cstdint>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // card: the open card handle, 0 when none (its values then stay 0).
    CAboutDlg(uint64_t card, QWidget* parent = nullptr);
};
