#include "platform/ui/qt/qt_popup_window.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>

#include "platform/ui/application.h"
#include "platform/ui/input.h"
#include "platform/ui/qt/qt_keys.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/top_level.h"
#include "platform/ui/win_control.h"

namespace platform::ui {
namespace {

// Qt must not see our exceptions come through its event handlers: report them here.
template <class F>
void Guarded(TWinControl& control, F&& f) {
    try {
        f();
    } catch (...) {
        Application->HandleException(&control);
    }
}

TMouseButton ButtonFromQt(Qt::MouseButton b) {
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

TPoint PosOf(const QMouseEvent& e) {
    QPoint p = e.position().toPoint();
    return {p.x(), p.y()};
}

constexpr Qt::WindowFlags kPopupFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

}  // namespace

PopupWidget::PopupWidget(TWinControl& control, QWidget* owner)
    : QWidget(nullptr, kPopupFlags), control_(control), surface_(*this, [&control] {
          InvalidateTopLevel(control, Bounds(0, 0, control.Width(), control.Height()));
      }) {
    // Stacked with its form, but not owned by it: the pop-up's control frees this widget.
    if (owner != nullptr && owner->windowHandle() != nullptr) {
        winId();
        windowHandle()->setTransientParent(owner->windowHandle());
    }
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void PopupWidget::paintEvent(QPaintEvent* event) {
    surface_.Paint(event->rect(), [this] { return TopLevelSurface(control_); });
}

void PopupWidget::mousePressEvent(QMouseEvent* event) {
    Guarded(control_, [&] {
        PostMouseDown(control_, ButtonFromQt(event->button()), ShiftFromQt(event->modifiers()),
                      PosOf(*event));
    });
}

// Our input tells double clicks itself, by the same rule on every host.
void PopupWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void PopupWidget::mouseReleaseEvent(QMouseEvent* event) {
    Guarded(control_, [&] {
        PostMouseUp(control_, ButtonFromQt(event->button()),
                    ShiftFromQt(event->modifiers(), event->buttons()), PosOf(*event));
    });
}

void PopupWidget::mouseMoveEvent(QMouseEvent* event) {
    Guarded(control_, [&] {
        PostMouseMove(control_, ShiftFromQt(event->modifiers(), event->buttons()), PosOf(*event));
    });
}

void PopupWidget::leaveEvent(QEvent*) {
    Guarded(control_, [&] { PostMouseLeave(control_); });
}

void PopupWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    surface_.WidgetResized();
}

QtPopupWindow::QtPopupWindow(TWinControl& control, QWidget* owner)
    : widget_(std::make_unique<PopupWidget>(control, owner)) {}

QtPopupWindow::~QtPopupWindow() = default;

void QtPopupWindow::SetBounds(const TRect& bounds) {
    widget_->setGeometry(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void QtPopupWindow::SetVisible(bool visible) {
    if (!visible) {
        widget_->hide();
        return;
    }
    widget_->show();
    widget_->raise();
}

void QtPopupWindow::Present(const TRect& rect) {
    widget_->update(rect.Left, rect.Top, rect.Width(), rect.Height());
}

bool QtPopupWindow::LendPixels(RasterImage& surface, int width, int height, std::uint32_t fill) {
    return widget_->Surface().Lend(surface, width, height, fill);
}

void QtPopupWindow::SetPointer(TCursor cursor) {
    widget_->setCursor(CursorFor(cursor));
}

}  // namespace platform::ui

namespace platform::ui {

void ApplyShape(QWidget& widget, const Region* shape) {
    if (shape == nullptr) {
        widget.clearMask();
        return;
    }
    QRegion mask;
    for (const TRect& r : shape->Rects()) mask += QRect(r.Left, r.Top, r.Width(), r.Height());
    widget.setMask(mask);
}

void QtPopupWindow::SetShape(const Region* shape) {
    ApplyShape(*widget_, shape);
}

}  // namespace platform::ui
