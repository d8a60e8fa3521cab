#include "analysis/CDlgLUT.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <fstream>

#include "analysis/LutFormat.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"

CDlgLUT::CDlgLUT(const QString& fileName_, bool enable_, QWidget* parent)
    : QDialog(parent), fileName(fileName_), enable(enable_) {
    setWindowTitle(QStringLiteral("Lookup Table Settings"));
    setObjectName(QStringLiteral("IDD_%1").arg(res::IDD_LOOKUP_TABLE));
    auto* layout = new QVBoxLayout(this);
    auto* pathRow = new QGridLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("Path/Filename"), this), 0, 0);
    path_ = new QLineEdit(this);
    path_->setObjectName(QString::number(IDC_LUT_PATH));
    pathRow->addWidget(path_, 0, 1);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QString::number(IDC_LUT_BROWSE));
    pathRow->addWidget(browse, 0, 2);
    layout->addLayout(pathRow);
    auto* group = new QGroupBox(QStringLiteral("Header"), this);
    auto* groupLayout = new QVBoxLayout(group);
    headerView_ = new QTextEdit(group);
    headerView_->setObjectName(QString::number(IDC_LUT_HEADER));
    headerView_->setReadOnly(true);
    groupLayout->addWidget(headerView_);
    layout->addWidget(group);
    enableBox_ = new QCheckBox(QStringLiteral("Enable"), this);
    enableBox_->setObjectName(QString::number(IDC_LUT_ENABLE));
    layout->addWidget(enableBox_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(path_, &QLineEdit::editingFinished, this, &CDlgLUT::OnPathEdited);
    connect(browse, &QPushButton::clicked, this, &CDlgLUT::OnBrowse);
    connect(enableBox_, &QCheckBox::clicked, this, [this](bool checked) { enable = checked; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    path_->setText(fileName);
    if (!fileName.isEmpty()) {
        ReadHeader();
        headerView_->setPlainText(header);
    }
    enableBox_->setChecked(enable);
}

void CDlgLUT::ReadHeader() {
    std::ifstream in(QFile::encodeName(fileName).toStdString(), std::ios::binary);
    if (!in) {
        header.clear();
        appkit::ShowMessage(this, QStringLiteral("File <%1> does not exist").arg(fileName));
        return;
    }
    header = QString::fromStdString(lut::ReadLutHeader(in));
}

void CDlgLUT::OnPathEdited() {
    // The header shown stays as it is; leaving the box only checks the new file.
    fileName = path_->text();
    ReadHeader();
}

void CDlgLUT::SetChosenFile(const QString& path) {
    fileName = path;
    path_->setText(fileName);
    ReadHeader();
    headerView_->setPlainText(header);
}

void CDlgLUT::OnBrowse() {
    QFileDialog dialog(this, QStringLiteral("Select Lookup Table File"), QString(),
                       QStringLiteral("LUT Files (*.lut *.LUT);;All files (*)"));
    dialog.setDefaultSuffix(QStringLiteral("lut"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SetChosenFile(dialog.selectedFiles().front());
}

namespace lut {

std::optional<LutDialogRequest> RunLutDialog(QWidget* owner, const LutDialogRequest& request) {
    CDlgLUT dialog(request.fileName, request.enable, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return LutDialogRequest{dialog.fileName, dialog.enable};
}

}  // namespace lut
