#pragma once
// The mass-haul diagram in the window, drawn as on paper.
#include "compute/HaulAnalysis.h"

#include <QImage>
#include <QWidget>

namespace mardex {

// The diagram drawn as on paper, scaled to the widget (zoom 1 = fit).
class MassHaulView : public QWidget {
public:
    MassHaulView(const MassSheet& sheet, const HaulAnalysis& haul, QWidget* parent);
    void Changed() { cache_ = QImage(); update(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const MassSheet& sheet_;
    const HaulAnalysis& haul_;
    QImage cache_;
};

} // namespace mardex
