// The player's control panel: the folder with its browse button, the list of the
// folder's image files, the size choice and the transport buttons. It answers the
// player's requests for the next or previous entry and tells the player which
// file to show and which button was pressed. The folder is kept in the profile
// "Korvan/ZAMGRB" as "PlayerFolder", written when the panel goes away.
#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

class QAbstractButton;
class QLineEdit;
class QListWidget;

class CPlayerCtrl : public QDialog {
    Q_OBJECT
public:
    // Requests of the player, and their answers.
    enum Request : int { kNext = 1, kPrevious = 2 };

    CPlayerCtrl(int sizeChoice, QWidget* parent);
    ~CPlayerCtrl() override;

    QString Folder() const;
    void SetFolder(const QString& folder);
    QListWidget* FileList() const { return list_; }
    // Moves the selection as asked, shows the entry it lands on; 1 when it moved or
    // there is nothing to move, 0 at the end of the list. Other requests answer 1.
    int OnRequest(int request);
    QAbstractButton* Button(int id) const { return buttons_.value(id); }

signals:
    // A transport button or size choice, with its check state.
    void command(int id, bool checked);
    void showFile(const QString& path);
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillList();
    void browse();
    void select(int row);

    QLineEdit* folder_ = nullptr;
    QListWidget* list_ = nullptr;
    QHash<int, QAbstractButton*> buttons_;
};

namespace player {
// The profile of the player's folder.
inline constexpr const char* kPlayerOrganization = "Korvan";
inline constexpr const char* kPlayerApplication = "ZAMGRB";
inline constexpr const char* kPlayerFolderValue = "PlayerFolder";
}  // namespace player
