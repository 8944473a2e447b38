// A widget that shows one of the engine's surfaces, each surface pixel a
// square of `scale` x `scale` screen pixels, copied and never smoothed.
#pragma once

#include "surface.h"

#include <QImage>
#include <QWidget>

#include <functional>

class SurfaceView : public QWidget {
  public:
    SurfaceView(Surface& surface, QWidget* parent, int scale = 1);

    int scale() const { return scale_; }
    // The surface pixel under a widget position (outside the surface for a
    // position outside the view).
    QPoint pixelAt(const QPointF& position) const;

    // Mouse presses and moves, for the editor's views.
    std::function<void(QMouseEvent*)> onMousePress, onMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage image_; // shares the surface's pixels
    int scale_;
};
