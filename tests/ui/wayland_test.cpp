// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The program in a Wayland session with XWayland: a headless weston started
// here, the real program started in it.
#include "test_support.h"
#include "x_desktop.h"

#include <QtTest>

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <set>
#include <unistd.h>

namespace {

// Watches the X server from before the program starts: the stay-on-top state
// each new window asks for, and its mapping. It is read as the program sets
// it, before mapping: weston's window manager then keeps only its own states.
class NewWindows {
  public:
    NewWindows() : x_(xcb_connect(nullptr, nullptr)) {
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x_, xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root,
                                     XCB_CW_EVENT_MASK, &mask);
        state_ = Atom("_NET_WM_STATE");
        above_ = Atom("_NET_WM_STATE_ABOVE");
    }
    ~NewWindows() { xcb_disconnect(x_); }

    // Waits for a window to be mapped; true when it asked to stay above.
    bool MappedAbove(std::chrono::seconds within) {
        const auto deadline = std::chrono::steady_clock::now() + within;
        std::set<xcb_window_t> above;
        for (xcb_flush(x_); !xcb_connection_has_error(x_); xcb_flush(x_)) {
            while (const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{
                xcb_poll_for_event(x_), &std::free}) {
                const auto* any = event.get();
                if ((any->response_type & 0x7f) == XCB_CREATE_NOTIFY) {
                    const auto window =
                        reinterpret_cast<const xcb_create_notify_event_t*>(any)->window;
                    const std::uint32_t mask =
                        XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                    xcb_change_window_attributes(x_, window, XCB_CW_EVENT_MASK, &mask);
                    if (AsksAbove(window))
                        above.insert(window);
                } else if ((any->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                    const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(any);
                    if (change->atom == state_ && AsksAbove(change->window))
                        above.insert(change->window);
                } else if ((any->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                    if (above.count(reinterpret_cast<const xcb_map_notify_event_t*>(any)->window))
                        return true;
                }
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd wait{xcb_get_file_descriptor(x_), POLLIN, 0};
            if (left.count() <= 0 || ::poll(&wait, 1, int(left.count())) <= 0)
                return false;
        }
        return false;
    }

  private:
    xcb_atom_t Atom(const char* name) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply{
            xcb_intern_atom_reply(x_, xcb_intern_atom(x_, 0, std::strlen(name), name), nullptr),
            &std::free};
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    bool AsksAbove(xcb_window_t window) {
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply{
            xcb_get_property_reply(
                x_, xcb_get_property(x_, 0, window, state_, XCB_ATOM_ATOM, 0, 32), nullptr),
            &std::free};
        if (!reply)
            return false;
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
        return std::find(atoms, atoms + count, above_) != atoms + count;
    }

    xcb_connection_t* x_;
    xcb_atom_t state_ = XCB_ATOM_NONE, above_ = XCB_ATOM_NONE;
};

} // namespace

class WaylandTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowComesUpOnXAndStaysOnTop() {
        if (!WaylandDesktop::Available())
            QSKIP("weston or Xwayland is missing: the start in a Wayland session is not tested");
        TempFolder folder;
        // A copy of its own, whose settings beside it say: on top.
        const std::string program = folder / "brindlecot";
        const std::string built = qEnvironmentVariable("BRINDLECOT_PROGRAM").toStdString();
        if (::link(built.c_str(), program.c_str()) != 0)
            std::filesystem::copy_file(built, program);
        WriteFile(folder / "brindlecot.ini", "[front]\r\nOn\r\n");

        const WaylandDesktop desktop;
        NewWindows windows;
        const pid_t started = StartProgram({program});
        QVERIFY(started > 0);
        // Seen on the X server only if it chose X over Wayland.
        const bool above = windows.MappedAbove(std::chrono::seconds(60));
        ::kill(started, SIGTERM);
        WaitForEnd(started);
        QVERIFY2(above, "no window of the program came up on XWayland above the others");
    }
};

QTEST_GUILESS_MAIN(WaylandTest)
#include "wayland_test.moc"
