// A small drawing of the master or the slave pulse with the times its edits set.
#pragma once

#include <QWidget>

class CPulseDiagram : public QWidget {
    Q_OBJECT
public:
    enum Kind { kMaster, kSlave };
    explicit CPulseDiagram(Kind kind, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {170, 62}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
};
