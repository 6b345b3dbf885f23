#pragma once
// The Qt window of a pop-up control: a frameless tool window above its form that is shown without
// activation and never takes the keyboard focus, so typed keys stay with the form.
#include <QWidget>
#include <memory>

#include "platform/ui/qt/qt_backing_surface.h"
#include "platform/ui/window_system.h"

class TWinControl;

namespace platform::ui {

// The window region as Qt's mask: nothing is drawn or clicked outside it.
void ApplyShape(QWidget& widget, const Region* shape);

class PopupWidget : public QWidget {
  public:
    PopupWidget(TWinControl& control, QWidget* owner);
    BackingStoreSurface& Surface() { return surface_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TWinControl& control_;
    BackingStoreSurface surface_;
};

class QtPopupWindow : public NativeWindow {
  public:
    QtPopupWindow(TWinControl& control, QWidget* owner);
    ~QtPopupWindow() override;
    void SetBounds(const TRect& bounds) override;
    void SetVisible(bool visible) override;
    void SetCaption(const std::string&) override {}
    void SetBorderless(bool) override {}
    void Present(const TRect& rect) override;
    bool LendPixels(RasterImage& surface, int width, int height, std::uint32_t fill) override;
    void Activate() override {}
    void SetPointer(TCursor cursor) override;
    void SetShape(const Region* shape) override;

  private:
    std::unique_ptr<PopupWidget> widget_;
};

}  // namespace platform::ui
