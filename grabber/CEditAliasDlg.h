// The alias editor of the card selector: the card's location, read-only, and its alias.
#pragma once

#include <QDialog>

class QLineEdit;

class CEditAliasDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEditAliasDlg(QWidget* parent = nullptr);

    // Fills the edits; the alias edit gets the focus with its text selected.
    void SetTexts(const QString& location, const QString& alias);
    QString location() const;
    QString alias() const;

private:
    QLineEdit* location_;
    QLineEdit* alias_;
};
