#include "platform/ui/qt/qt_window_system.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <climits>

#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/qt/qt_popup_window.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/system_colour_change.h"

namespace platform::ui {
namespace {

TRect FromQt(const QRect& r) {
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

QMessageBox::Icon IconFor(unsigned flags) {
    switch (flags & 0xF0) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONWARNING:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

std::unique_ptr<NativeWindow> QtWindowSystem::CreateNativeWindow(TCustomForm& form) {
    return std::make_unique<QtWindow>(form);
}

std::unique_ptr<NativeWindow> QtWindowSystem::CreatePopupWindow(TWinControl& control, TCustomForm* owner) {
    auto* ownerWindow = owner != nullptr ? dynamic_cast<QtWindow*>(owner->Native()) : nullptr;
    return std::make_unique<QtPopupWindow>(control,
                                           ownerWindow != nullptr ? &ownerWindow->Widget() : nullptr);
}

std::vector<MonitorInfo> QtWindowSystem::Monitors() {
    std::vector<MonitorInfo> monitors;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr)
        monitors.push_back({FromQt(primary->geometry()), FromQt(primary->availableGeometry()), true});
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            monitors.push_back({FromQt(screen->geometry()), FromQt(screen->availableGeometry()), false});
    return monitors;
}

void QtWindowSystem::PumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    NoticePaletteChange();
}

void QtWindowSystem::NoticePaletteChange() {
    const qint64 key = QApplication::palette().cacheKey();
    const bool changed = paletteKey_ != 0 && key != paletteKey_;
    paletteKey_ = key;
    if (changed)
        BroadcastSysColorChange();
}

void QtWindowSystem::WaitForEvents(std::optional<std::uint64_t> maxWaitMs) {
    QTimer wake;
    wake.setSingleShot(true);
    if (maxWaitMs)
        wake.start(static_cast<int>(std::min<std::uint64_t>(*maxWaitMs, INT_MAX)));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    NoticePaletteChange();
}

int QtWindowSystem::ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    QMessageBox box(IconFor(flags), QString::fromStdString(caption), QString::fromStdString(text));
    switch (flags & 0x0F) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MB_YESNOALL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return IDCANCEL;
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::YesToAll:
            return IDALL;
        default:
            return IDOK;
    }
}

void QtWindowSystem::Beep(UINT) {
    QApplication::beep();
}

void QtWindowSystem::ShowCursor(TCursor cursor) {
    if (overrideCursor_)
        QGuiApplication::restoreOverrideCursor();
    overrideCursor_ = cursor != crDefault && cursor != crArrow;
    if (overrideCursor_)
        QGuiApplication::setOverrideCursor(CursorFor(cursor));
}

}  // namespace platform::ui
