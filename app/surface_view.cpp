#include "surface_view.h"

#include "image_io.h"

#include <QPainter>
#include <QPaintEvent>

SurfaceView::SurfaceView(Surface& surface, QWidget* parent)
    : QWidget(parent), image_(imageView(surface)) {
    setFixedSize(surface.width(), surface.height());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), image_, r);
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
    if (onMousePress) onMousePress(event);
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) onMouseMove(event);
}
