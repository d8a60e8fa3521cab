// "Lookup Table Settings": the file of the table, its header and whether it is in use.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "analysis/LutController.h"

class QCheckBox;
class QLineEdit;
class QTextEdit;

class CDlgLUT : public QDialog {
    Q_OBJECT
public:
    enum Control { IDC_LUT_PATH = 1163, IDC_LUT_BROWSE = 1164, IDC_LUT_HEADER = 1166, IDC_LUT_ENABLE = 1167 };

    CDlgLUT(const QString& fileName, bool enable, QWidget* parent = nullptr);

    QString fileName;
    QString header;
    bool enable = false;

    // Reads the header of `fileName`; reports a file that cannot be opened.
    void ReadHeader();
    // Takes the path from the edit box (what leaving the box does).
    void OnPathEdited();
    // Takes a chosen file: shows it and its header.
    void SetChosenFile(const QString& path);

private:
    void OnBrowse();

    QLineEdit* path_;
    QTextEdit* headerView_;
    QCheckBox* enableBox_;
};

namespace lut {
// Shows the dialog modally over `owner`; no answer on Cancel.
std::optional<LutDialogRequest> RunLutDialog(QWidget* owner, const LutDialogRequest& request);
}  // namespace lut
