// A widget that shows one of the engine's surfaces as it is, pixel for pixel.
#pragma once

#include "surface.h"

#include <QImage>
#include <QWidget>

#include <functional>

class SurfaceView : public QWidget {
  public:
    SurfaceView(Surface& surface, QWidget* parent);

    // Mouse presses and moves, for the editor's views.
    std::function<void(QMouseEvent*)> onMousePress, onMouseMove;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage image_; // shares the surface's pixels
};
