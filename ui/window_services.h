#pragma once
// The side effects of the window, one small interface each, handed in by
// constructor so that tests replace them.

#include "message_service.h"

#include <string>

// The boxes the window shows: the core's message and confirmation boxes and
// the error box (stop icon) for errors no handler catches.
class WindowBoxes : public MessageService {
public:
    virtual void Error(const std::string& text) = 0;
};

// Chooses a folder; result is left as it was when nothing usable is chosen.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    virtual void SelectFolder(const std::string& initialFolder, std::string& result) = 0;
};

// The desktop's "open": a file with its default application, an address with the browser.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual void Open(const std::string& pathOrAddress) = 0;
};
