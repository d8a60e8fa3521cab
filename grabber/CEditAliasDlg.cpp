#include "grabber/CEditAliasDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CEditAliasDlg::CEditAliasDlg(QWidget* parent)
    : QDialog(parent), location_(new QLineEdit), alias_(new QLineEdit) {
    setWindowTitle(QStringLiteral("Edit Alias"));
    location_->setReadOnly(true);
    location_->setObjectName(QStringLiteral("1186"));
    alias_->setObjectName(QStringLiteral("1187"));
    alias_->setMinimumWidth(260);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Location:"), location_);
    form->addRow(QStringLiteral("Alias:"), alias_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CEditAliasDlg::SetTexts(const QString& location, const QString& alias) {
    location_->setText(location);
    alias_->setText(alias);
    alias_->selectAll();
    alias_->setFocus();
}

QString CEditAliasDlg::location() const {
    return location_->text();
}
QString CEditAliasDlg::alias() const {
    return alias_->text();
}
