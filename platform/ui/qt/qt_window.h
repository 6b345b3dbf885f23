#pragma once
// One Qt top-level widget per form: shows the form's surface and hands input to our queue.
#include <QCursor>
#include <QWidget>
#include <memory>

#include "platform/ui/qt/qt_backing_surface.h"
#include "platform/ui/window_system.h"

class TCustomForm;

namespace platform::ui {

// The pointer shape Qt shows for one of our cursors.
Qt::CursorShape CursorShapeFor(TCursor cursor);
// The pointer Qt shows: a cursor made from a picture (image_cursor.h) with its hot spot, else the
// shape above.
QCursor CursorFor(TCursor cursor);

class FormWidget : public QWidget {
  public:
    explicit FormWidget(TCustomForm& form);
    TRect requested;  // the bounds our side asked for last
    BackingStoreSurface& Surface() { return surface_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void HostGeometryChanged();
    TCustomForm& form_;
    BackingStoreSurface surface_;
};

class QtWindow : public NativeWindow {
  public:
    explicit QtWindow(TCustomForm& form);
    ~QtWindow() override;
    void SetBounds(const TRect& bounds) override;
    void SetVisible(bool visible) override;
    void SetCaption(const std::string& caption) override;
    void SetBorderless(bool borderless) override;
    void Present(const TRect& rect) override;
    bool LendPixels(RasterImage& surface, int width, int height, std::uint32_t fill) override;
    void Activate() override;
    void SetPointer(TCursor cursor) override;
    void SetShape(const Region* shape) override;
    void SetMinimized(bool minimized) override;
    void SetStayOnTop(bool stayOnTop) override;
    void SetFixedFrame(bool fixed) override;
    FormWidget& Widget() { return *widget_; }

  private:
    std::unique_ptr<FormWidget> widget_;
    bool fixedFrame_ = false;
};

}  // namespace platform::ui
