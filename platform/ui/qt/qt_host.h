#pragma once
// The Qt host: real windows, input, fonts and pictures. This header holds no Qt types, so a program's
// main can use it without Qt's headers:
//
//   int main(int argc, char** argv) {
//       platform::ui::QtHost host(argc, argv);
//       Application->Initialize();
//       Application->CreateForm(&MainForm);
//       Application->Run();
//   }
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui/raster_image.h"

class TCustomForm;

namespace platform::ui {

class QtHost {
  public:
    // Makes the QApplication (QT_QPA_PLATFORM chooses the platform: xcb, offscreen ...) and installs
    // the Qt window system and picture decoder.
    QtHost(int& argc, char** argv);
    ~QtHost();
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// Installs the Qt picture decoder alone (JPEG, BMP, ICO), for headless runs that load real pictures.
void InstallQtImageCodec();
// What the host window of a shown form shows, rendered by Qt.
RasterImage GrabHostWindow(TCustomForm& form);
// Pixels as a picture file's bytes (format "JPEG", "PNG", "BMP" ...).
std::vector<std::uint8_t> EncodeWithQt(const RasterImage& image, const char* format);

}  // namespace platform::ui
