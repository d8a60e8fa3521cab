#include "camera/GeometryGrid.h"

#include <QGridLayout>
#include <QLabel>

void AddGeometryLabels(QGridLayout& grid, QWidget* parent) {
    const char* columns[] = {"Pre-valid", "Valid", "Post-valid"};
    for (int c = 0; c < 3; ++c)
        grid.addWidget(new QLabel(QLatin1String(columns[c]), parent), 0, c + 1);
    grid.addWidget(new QLabel(QStringLiteral("Width(pixels)"), parent), 1, 0);
    grid.addWidget(new QLabel(QStringLiteral("Height(lines)"), parent), 2, 0);
}
