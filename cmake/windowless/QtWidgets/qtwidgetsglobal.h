#error "core is window-free: it must not include Qt Widgets"
