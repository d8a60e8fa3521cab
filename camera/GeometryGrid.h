// The labels of a geometry grid: columns "Pre-valid", "Valid", "Post-valid",
// rows "Width(pixels)" and "Height(lines)"; cells are (1 + row, 1 + column).
#pragma once

class QGridLayout;
class QWidget;

void AddGeometryLabels(QGridLayout& grid, QWidget* parent);
