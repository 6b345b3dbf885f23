#include "platform/ui/qt/qt_host.h"

#include <QApplication>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_clipboard.h"
#include "platform/ui/qt/qt_image_codec.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/qt/qt_window_system.h"

namespace platform::ui {
namespace {
QtImageCodec& Codec() {
    static auto* codec = new QtImageCodec();
    return *codec;
}
}  // namespace

class QtHost::Impl {
  public:
    Impl(int& argc, char** argv) {
        if (QApplication::instance() == nullptr)
            app = std::make_unique<QApplication>(argc, argv);
        SetWindowSystem(&system);
        SetClipboardStore(&clipboard);
        InstallQtImageCodec();
    }
    ~Impl() {
        // Forms hold Qt windows: they go while Qt is still there.
        Application->DestroyForms();
        SetClipboardStore(nullptr);
        SetWindowSystem(nullptr);
    }
    std::unique_ptr<QApplication> app;
    QtWindowSystem system;
    QtClipboard clipboard;
};

QtHost::QtHost(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {}

QtHost::~QtHost() = default;

void InstallQtImageCodec() {
    SetImageCodec(&Codec());
}

RasterImage GrabHostWindow(TCustomForm& form) {
    auto* window = dynamic_cast<QtWindow*>(form.Native());
    if (window == nullptr)
        return {};
    QImage img = window->Widget().grab().toImage().convertToFormat(QImage::Format_ARGB32);
    RasterImage out(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        std::copy(row, row + img.width(), out.Row(y));
    }
    return out;
}

}  // namespace platform::ui
