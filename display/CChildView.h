// The image view in the main frame's client area. Its logical coordinates are
// zoomed image coordinates.
#pragma once

#include <QAbstractScrollArea>
#include <QSize>

#include "CommandTarget.h"

class CChildView : public QAbstractScrollArea, public appkit::CommandTarget {
    Q_OBJECT
public:
    explicit CChildView(QWidget* parent = nullptr);

    // The scrollable extent in logical units.
    void SetScrollSizes(QSize total);
    QSize scrollSize() const { return total_; }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, appkit::CommandState& state) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollBars();
    QSize total_;
};
