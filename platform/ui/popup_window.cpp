#include "platform/ui/popup_window.h"

#include <algorithm>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/window_system.h"

namespace platform::ui {
namespace {

// Kept for the whole run: pop-ups may still go away while the program's statics are torn down.
std::vector<PopupHost*>& LiveHosts() {
    static auto* hosts = new std::vector<PopupHost*>();
    return *hosts;
}

}  // namespace

PopupHost::PopupHost(TWinControl& control) : control_(control) {
    LiveHosts().push_back(this);
}

PopupHost::~PopupHost() {
    // The host window takes back the pixels it lent while the surface is still there.
    native_.reset();
    auto& hosts = LiveHosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

TRect PopupHost::SurfaceRect() const {
    return Bounds(0, 0, control_.Width(), control_.Height());
}

RasterImage& PopupHost::SurfaceImage() {
    const std::uint32_t fill = ColorToArgb(control_.Color());
    if (!native_ || !native_->LendPixels(surface_, control_.Width(), control_.Height(), fill))
        surface_.Resize(control_.Width(), control_.Height(), fill);
    return surface_;
}

void PopupHost::InvalidateArea(const TRect& rect) {
    invalid_.Add(IntersectRect(rect, SurfaceRect()));
}

void PopupHost::PaintInvalid() {
    if (!shown_ || invalid_.Empty())
        return;
    Region clip = invalid_;
    invalid_ = Region();
    control_.PaintTree(clip);
    PresentArea(clip.Bounds());
}

void PopupHost::PresentArea(const TRect& rect) {
    if (!native_ || !shown_)
        return;
    TRect r = IntersectRect(rect, SurfaceRect());
    if (!r.IsEmpty())
        native_->Present(r);
}

void PopupHost::Sync() {
    bool showing = control_.IsShowing();
    if (showing && !native_) {
        native_ = CurrentWindowSystem().CreatePopupWindow(control_, control_.ParentForm());
        native_->SetShape(control_.WindowRegion());
    }
    if (!native_)
        return;
    if (control_.BoundsRect() != placed_) {
        if (control_.Width() != placed_.Width() || control_.Height() != placed_.Height())
            invalid_ = Region(SurfaceRect());
        placed_ = control_.BoundsRect();
        native_->SetBounds(placed_);
    }
    if (showing == shown_)
        return;
    shown_ = showing;
    if (showing)
        invalid_ = Region(SurfaceRect());
    native_->SetVisible(showing);
}

void PaintPopupWindows() {
    for (PopupHost* host : std::vector<PopupHost*>(LiveHosts())) {
        // A handler of an earlier pop-up may have freed this one.
        if (std::find(LiveHosts().begin(), LiveHosts().end(), host) == LiveHosts().end())
            continue;
        try {
            host->Sync();
            host->PaintInvalid();
        } catch (...) {
            Application->HandleException(&host->Control());
        }
    }
}

}  // namespace platform::ui
