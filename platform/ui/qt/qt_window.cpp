#include "platform/ui/qt/qt_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>
#include <utility>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/image_cursor.h"
#include "platform/ui/input.h"
#include "platform/ui/qt/qt_keys.h"
#include "platform/ui/qt/qt_popup_window.h"

namespace platform::ui {
namespace {

// Qt must not see our exceptions come through its event handlers: report them here.
template <class F>
void Guarded(TCustomForm& form, F&& f) {
    try {
        f();
    } catch (...) {
        Application->HandleException(&form);
    }
}

TMouseButton ButtonFromQt(Qt::MouseButton b) {
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

TPoint PosOf(const QMouseEvent& e) {
    QPoint p = e.position().toPoint();
    return {p.x(), p.y()};
}

}  // namespace

Qt::CursorShape CursorShapeFor(TCursor cursor) {
    switch (cursor) {
        case crHourGlass:
        case crSQLWait:
            return Qt::WaitCursor;
        case crAppStart:
            return Qt::BusyCursor;
        case crIBeam:
            return Qt::IBeamCursor;
        case crCross:
            return Qt::CrossCursor;
        case crHandPoint:
            return Qt::PointingHandCursor;
        case crNone:
            return Qt::BlankCursor;
        case crSizeNS:
            return Qt::SizeVerCursor;
        case crSizeWE:
            return Qt::SizeHorCursor;
        case crSizeNWSE:
            return Qt::SizeFDiagCursor;
        case crSizeNESW:
            return Qt::SizeBDiagCursor;
        case crSizeAll:
            return Qt::SizeAllCursor;
        case crUpArrow:
            return Qt::UpArrowCursor;
        case crNo:
        case crNoDrop:
            return Qt::ForbiddenCursor;
        case crHelp:
            return Qt::WhatsThisCursor;
        case crHSplit:
            return Qt::SplitHCursor;
        case crVSplit:
            return Qt::SplitVCursor;
        case crDrag:
        case crMultiDrag:
            return Qt::DragMoveCursor;
        default:
            return Qt::ArrowCursor;
    }
}

QCursor CursorFor(TCursor cursor) {
    const TImageCursor* made = ImageCursors().Find(cursor);
    if (made == nullptr)
        return QCursor(CursorShapeFor(cursor));
    const RasterImage& image = made->Image;
    const QImage picture(reinterpret_cast<const uchar*>(image.Bits()), image.Width(), image.Height(),
                         image.Width() * 4, image.HasAlpha() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return QCursor(QPixmap::fromImage(picture.copy()), made->HotSpot.X, made->HotSpot.Y);
}

FormWidget::FormWidget(TCustomForm& form)
    : QWidget(nullptr),
      form_(form),
      surface_(*this, [&form] { form.InvalidateArea(Bounds(0, 0, form.Width(), form.Height())); }) {
    setFocusPolicy(Qt::StrongFocus);
    // Composed text (an input method's commit) arrives through inputMethodEvent.
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void FormWidget::paintEvent(QPaintEvent* event) {
    surface_.Paint(event->rect(), [this] { return &std::as_const(form_).SurfaceImage(); });
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
    WORD key = VirtualKeyFromQt(*event);
    if (key == 0 && event->text().isEmpty())
        return;
    std::string text = event->text().toStdString();
    TShiftState shift = ShiftFromQt(event->modifiers());
    Guarded(form_, [&] { PostKeyDown(form_, key, shift, text); });
}

void FormWidget::keyReleaseEvent(QKeyEvent* event) {
    // Held keys repeat as presses only, as on the platform.
    if (event->isAutoRepeat())
        return;
    WORD key = VirtualKeyFromQt(*event);
    if (key == 0 && event->text().isEmpty())
        return;
    TShiftState shift = ShiftFromQt(event->modifiers());
    Guarded(form_, [&] { PostKeyUp(form_, key, shift); });
}

void FormWidget::mousePressEvent(QMouseEvent* event) {
    Guarded(form_, [&] {
        // A press on an inactive window activates it first, so the control under the pointer can
        // take the focus and act on the press (the window manager may tell Qt only later, or never).
        if (!form_.Active() && form_.Enabled()) {
            activateWindow();
            form_.HostActivated(true);
        }
        PostMouseDown(form_, ButtonFromQt(event->button()), ShiftFromQt(event->modifiers()), PosOf(*event));
    });
}

// Our input tells double clicks itself, by the same rule on every host.
void FormWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
    Guarded(form_, [&] {
        PostMouseUp(form_, ButtonFromQt(event->button()), ShiftFromQt(event->modifiers(), event->buttons()),
                    PosOf(*event));
    });
}

void FormWidget::mouseMoveEvent(QMouseEvent* event) {
    Guarded(form_,
            [&] { PostMouseMove(form_, ShiftFromQt(event->modifiers(), event->buttons()), PosOf(*event)); });
}

void FormWidget::wheelEvent(QWheelEvent* event) {
    // Qt's angle is in eighths of a degree: 120 a notch, as WHEEL_DELTA.
    int delta = event->angleDelta().y();
    QPoint p = event->position().toPoint();
    Guarded(form_, [&] {
        PostMouseWheel(form_, ShiftFromQt(event->modifiers(), event->buttons()), delta, {p.x(), p.y()});
    });
}

void FormWidget::inputMethodEvent(QInputMethodEvent* event) {
    std::string text = event->commitString().toStdString();
    if (!text.empty())
        Guarded(form_, [&] { PostInputMethodText(form_, text); });
    event->accept();
}

QVariant FormWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled)
        return true;
    return QWidget::inputMethodQuery(query);
}

void FormWidget::leaveEvent(QEvent* event) {
    (void)event;
    Guarded(form_, [&] { PostMouseLeave(form_); });
}

void FormWidget::closeEvent(QCloseEvent* event) {
    // Our form decides (OnCloseQuery, OnClose) when its close message comes round.
    event->ignore();
    PostMessage(form_.Handle(), WM_CLOSE, 0, 0);
}

void FormWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    surface_.WidgetResized();
    HostGeometryChanged();
}

void FormWidget::HostGeometryChanged() {
    // Only a user who resizes a framed window changes the form from outside; echoes of our own
    // requests and a borderless kiosk window are left alone.
    if (form_.BorderStyle() == bsNone)
        return;
    QRect g = geometry();
    TRect now = Bounds(g.x(), g.y(), g.width(), g.height());
    if (now == requested || now == form_.BoundsRect())
        return;
    Guarded(form_, [&] { form_.HostBoundsChanged(now); });
}

void FormWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Guarded(form_, [&] { form_.HostActivated(true); });
    // The user iconified the window or brought it back (echoes of our own requests change nothing).
    if (event->type() == QEvent::WindowStateChange) {
        bool minimized = isMinimized();
        Guarded(form_, [&] { form_.HostMinimizedChanged(minimized); });
    }
}

bool FormWidget::focusNextPrevChild(bool) {
    return false;
}

QtWindow::QtWindow(TCustomForm& form) : widget_(std::make_unique<FormWidget>(form)) {}

QtWindow::~QtWindow() = default;

void QtWindow::SetBounds(const TRect& bounds) {
    widget_->requested = bounds;
    if (fixedFrame_)
        widget_->setFixedSize(bounds.Width(), bounds.Height());
    widget_->setGeometry(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void QtWindow::SetVisible(bool visible) {
    if (!visible) {
        widget_->hide();
        return;
    }
    widget_->show();
    if (widget_->isMinimized())
        return;
    widget_->raise();
    widget_->activateWindow();
    widget_->setFocus(Qt::ActiveWindowFocusReason);
}

void QtWindow::SetCaption(const std::string& caption) {
    widget_->setWindowTitle(QString::fromStdString(caption));
}

void QtWindow::SetBorderless(bool borderless) {
    if (widget_->windowFlags().testFlag(Qt::FramelessWindowHint) == borderless)
        return;
    bool shown = widget_->isVisible();
    widget_->setWindowFlag(Qt::FramelessWindowHint, borderless);
    if (shown)
        widget_->show();
}

void QtWindow::SetStayOnTop(bool stayOnTop) {
    if (widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == stayOnTop)
        return;
    bool shown = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    if (shown)
        widget_->show();
}

void QtWindow::SetFixedFrame(bool fixed) {
    // A fixed frame keeps the size our side gives it: the user cannot drag it bigger or smaller.
    fixedFrame_ = fixed;
    if (fixed)
        widget_->setFixedSize(widget_->size());
    else
        widget_->setFixedSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget_->setWindowFlag(Qt::WindowMinMaxButtonsHint, !fixed);
    if (widget_->isVisible())
        widget_->show();
}

void QtWindow::Present(const TRect& rect) {
    widget_->update(rect.Left, rect.Top, rect.Width(), rect.Height());
}

bool QtWindow::LendPixels(RasterImage& surface, int width, int height, std::uint32_t fill) {
    return widget_->Surface().Lend(surface, width, height, fill);
}

void QtWindow::SetPointer(TCursor cursor) {
    widget_->setCursor(CursorFor(cursor));
}

void QtWindow::SetShape(const Region* shape) {
    ApplyShape(*widget_, shape);
}

void QtWindow::SetMinimized(bool minimized) {
    Qt::WindowStates state = widget_->windowState();
    widget_->setWindowState(minimized ? state | Qt::WindowMinimized : state & ~Qt::WindowMinimized);
}

void QtWindow::Activate() {
    widget_->activateWindow();
    widget_->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace platform::ui
