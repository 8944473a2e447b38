#include "surface_view.h"

#include "image_io.h"

#include <QPainter>
#include <QPaintEvent>

#include <cmath>

SurfaceView::SurfaceView(Surface& surface, QWidget* parent, int scale)
    : QWidget(parent), image_(imageView(surface)), scale_(scale) {
    setFixedSize(surface.width() * scale, surface.height() * scale);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

QPoint SurfaceView::pixelAt(const QPointF& position) const {
    return {static_cast<int>(std::floor(position.x() / scale_)),
            static_cast<int>(std::floor(position.y() / scale_))};
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    // The surface pixels the dirty area touches, each drawn as a whole block.
    // Without SmoothPixmapTransform the painter copies the nearest pixel, at
    // any scale and on a high-DPI screen alike.
    const QRect r = event->rect();
    const QRect source(QPoint(r.left() / scale_, r.top() / scale_),
                       QPoint(r.right() / scale_, r.bottom() / scale_));
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(source.topLeft() * scale_, source.size() * scale_), image_, source);
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
    if (onMousePress) onMousePress(event);
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) onMouseMove(event);
}
