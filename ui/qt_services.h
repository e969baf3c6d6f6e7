#pragma once
// The real boxes and desktop services of the window.

#include "window_services.h"

class QtBoxes : public WindowBoxes {
  public:
    void Message(const std::string& text) override;
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons buttons) override;
    void Error(const std::string& text) override;
};

// Opens files and addresses with xdg-open, started from the raw path bytes.
class XdgDesktopShell : public DesktopShell {
  public:
    void Open(const std::string& pathOrAddress) override;
};
