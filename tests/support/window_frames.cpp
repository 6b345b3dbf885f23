#include "tests/support/window_frames.h"

#include <poll.h>
#include <xcb/damage.h>

#include <cstdlib>
#include <memory>

namespace testsupport {
namespace {

struct Freed {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, Freed>;

// Bits per pixel of the server's images of a depth; 0 when it has none.
int BitsPerPixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem > 0; xcb_format_next(&it))
        if (it.data->depth == depth)
            return it.data->bits_per_pixel;
    return 0;
}

}  // namespace

int CountNear(const WindowPixels& pixels, std::uint32_t colour, int tolerance) {
    const auto near = [&](std::uint32_t rgb, int shift) {
        return std::abs(static_cast<int>((rgb >> shift) & 0xFF) -
                        static_cast<int>((colour >> shift) & 0xFF)) <= tolerance;
    };
    int count = 0;
    for (std::uint32_t rgb : pixels.rgb) count += near(rgb, 16) && near(rgb, 8) && near(rgb, 0);
    return count;
}

WindowFrames::~WindowFrames() {
    if (conn_ != nullptr)
        xcb_disconnect(conn_);
}

bool WindowFrames::Open(const std::string& display) {
    conn_ = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
    if (xcb_connection_has_error(conn_))
        return false;
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(conn_, &xcb_damage_id);
    if (damage == nullptr || !damage->present)
        return false;
    damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
    Reply<xcb_damage_query_version_reply_t>(
        xcb_damage_query_version_reply(conn_, xcb_damage_query_version(conn_, 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so the selection is in force before the program under watch starts.
    return Reply<xcb_generic_error_t>(xcb_request_check(
               conn_, xcb_change_window_attributes_checked(conn_, root, XCB_CW_EVENT_MASK, &mask))) ==
           nullptr;
}

WindowFrames::Event WindowFrames::Next(Clock::time_point deadline) {
    for (;;) {
        Reply<xcb_generic_event_t> event(WaitEvent(deadline));
        if (!event)
            return {};
        const int type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY)
            Watch(reinterpret_cast<xcb_create_notify_event_t*>(event.get())->window);
        else if (type == XCB_MAP_NOTIFY)
            return {Seen::Map, reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window};
        else if (type == damageEvent_)
            return {Seen::Paint, reinterpret_cast<xcb_damage_notify_event_t*>(event.get())->drawable};
    }
}

void WindowFrames::Rearm(xcb_window_t window) {
    const auto damage = damages_.find(window);
    if (damage == damages_.end())
        return;
    xcb_damage_subtract(conn_, damage->second, XCB_NONE, XCB_NONE);
    xcb_flush(conn_);
}

std::optional<WindowPixels> WindowFrames::Read(xcb_window_t window, int x, int y, int width, int height) {
    Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
        conn_,
        xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(height), ~0u),
        nullptr));
    const xcb_setup_t* setup = xcb_get_setup(conn_);
    // Depth 24 in 32-bit pixels is what Xvfb and every true-colour server here give.
    if (!image || BitsPerPixel(setup, image->depth) != 32 ||
        xcb_get_image_data_length(image.get()) < width * height * 4)
        return std::nullopt;
    const bool lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    const std::uint8_t* bytes = xcb_get_image_data(image.get());
    WindowPixels pixels{width, height, {}};
    pixels.rgb.reserve(static_cast<std::size_t>(width) * height);
    for (int i = 0; i < width * height; ++i, bytes += 4)
        pixels.rgb.push_back(lsbFirst ? (bytes[2] << 16 | bytes[1] << 8 | bytes[0])
                                      : (bytes[1] << 16 | bytes[2] << 8 | bytes[3]));
    return pixels;
}

xcb_generic_event_t* WindowFrames::WaitEvent(Clock::time_point deadline) {
    for (;;) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(conn_))
            return event;
        if (xcb_connection_has_error(conn_))
            return nullptr;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return nullptr;
        pollfd fd{xcb_get_file_descriptor(conn_), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
    }
}

void WindowFrames::Watch(xcb_window_t window) {
    if (damages_.contains(window))
        return;
    const std::uint32_t damage = xcb_generate_id(conn_);
    xcb_damage_create(conn_, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    xcb_flush(conn_);
    damages_.emplace(window, damage);
}

}  // namespace testsupport
