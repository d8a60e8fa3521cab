// A graph window of the histogram tool: frame, title and axis labels, an
// optional row of extra text, a plot rectangle with scales, ticks and labels.
// Histograms and profiles draw their data into the plot rectangle.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

class QPainter;

class CGraphWnd : public QWidget {
    Q_OBJECT
public:
    explicit CGraphWnd(QWidget* parent = nullptr);

    void SetTexts(const QString& title, const QString& yLabel, const QString& xLabel);
    QString title() const { return title_; }

    virtual void Clear() { hasData_ = false; }
    virtual int ControlsHeight() const { return hasControls_ ? 18 : 0; }
    virtual void SetHasControls(bool on) { hasControls_ = on; }
    // Shows or hides the window when the value changes.
    virtual void SetVisible(bool on);
    bool visibleInStack() const { return visible_; }
    bool hasData() const { return hasData_; }

    int xMin() const { return xMin_; }
    int xMax() const { return xMax_; }
    int yMin() const { return yMin_; }
    int yMax() const { return yMax_; }
    double xStep() const { return xStep_; }
    double yStep() const { return yStep_; }
    // Where the data went at the last paint.
    QRect plotRect() const { return plot_; }
    // The plot rectangle for the current size, as the next paint lays it out.
    QRect PlotRectFor(QSize size) const;

    // Everything drawn into an image of the window's size, as paintEvent shows it.
    QImage Render();

protected:
    virtual void ComputeScales(const QRect& plot);
    virtual void DrawData(QPainter& painter, const QRect& plot) = 0;
    virtual void DrawAxes(QPainter& painter, const QRect& plot);
    // Text between the title and the plot; true when something was drawn.
    virtual bool DrawExtraText(QPainter&, const QRect&) { return false; }
    virtual bool HasExtraText() const { return false; }
    virtual QString YTickLabel(double value) const;

    void paintEvent(QPaintEvent* event) override;
    static QColor Colour(uint32_t colorref);
    void DrawCentred(QPainter& painter, const QRect& plot, const QString& text);

    QString title_, yLabel_, xLabel_;
    uint32_t backgroundColour_ = 0, textColour_ = 0xFFFFFF, frameColour_ = 0x0000FF, curveColour_ = 0x00FFFF,
             secondColour_ = 0x00FF00;
    int xMin_ = -1, yMin_ = -1, xMax_ = 0, yMax_ = 0;
    double xStep_ = 1.0, yStep_ = 1.0;
    double xOrigin_ = 0, xUnitsPerPixel_ = 1.0, yOrigin_ = 0, yUnitsPerPixel_ = 1.0;
    bool hasData_ = false, hasControls_ = false, visible_ = true;
    QRect plot_;
};
