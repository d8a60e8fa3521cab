// Base of every modeless tool dialog. Its placement is kept in "FloatingWindows"
// under the dialog's class name; closing only hides it; Enter and Escape do nothing.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <optional>

class CFloatingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFloatingDlg(QWidget* parent = nullptr);
    ~CFloatingDlg() override;

    // Whether the dialog counts as visible.
    int shown = 0;
    // 1 or more: always show at creation; below 0: always hide; 0: as stored.
    int showOverride = 0;

    virtual int GetID() const = 0;
    // Creates the window under `parent` and applies the stored placement.
    virtual bool Create(QWidget* parent);
    bool IsCreated() const { return created_; }
    // Sends (GetID(), code) to the owner's dispatch.
    void NotifyOwner(int code);
    // Writes the placement to the profile; done once, when the dialog goes away.
    void SavePlacement();

signals:
    void notify(int dialogId, int code);

protected:
    // Builds the controls; called once by Create.
    virtual void OnInitDialog() {}
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PlaceBesideOwner();

    bool created_ = false;
    bool placementSaved_ = false;
    QString className_;  // the most derived class, taken while it is known
    // The stored position, applied again at the first show once the frame is known.
    std::optional<QPoint> storedPosition_;
    // Placed once: from the profile, or beside the main window at the first show.
    bool placed_ = false;
};

namespace appkit {
inline constexpr const char* kFloatingWindowsSection = "FloatingWindows";
}
