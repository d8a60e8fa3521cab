// A line profile of the current image: one value per column (horizontal) or
// per line (vertical), with the halves' averages above the horizontal one.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/CGraphWnd.h"

class CDisplayWindowGraph : public CGraphWnd {
    Q_OBJECT
public:
    explicit CDisplayWindowGraph(QWidget* parent = nullptr);

    // The image line (horizontal graph) or column (vertical graph) to plot; -1
    // or one outside the image: the average.
    void SetSelectedLine(int line) { selectedLine_ = line; }
    int selectedLine() const { return selectedLine_; }
    void SetProfile(const std::vector<uint32_t>& profile, int tap1Average, int tap2Average);
    const std::vector<uint32_t>& profile() const { return profile_; }
    int tap1Average() const { return tap1Average_; }
    int tap2Average() const { return tap2Average_; }

protected:
    void DrawData(QPainter& painter, const QRect& plot) override;
    bool DrawExtraText(QPainter& painter, const QRect& area) override;
    bool HasExtraText() const override;

private:
    std::vector<uint32_t> profile_;
    int tap1Average_ = -1, tap2Average_ = -1;
    int selectedLine_ = -1;
};
