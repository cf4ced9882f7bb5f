#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

// Finds top-level windows of other programs by their exact title, capitals included, and asks
// them to close: the windows of the session and PostMessage(WM_CLOSE) on Windows, a per-user
// registry of titles elsewhere (see TitleRegistration).
class WindowDirectory
{
public:
    virtual ~WindowDirectory() = default;
    // A non-zero handle of a window with exactly this title, or 0 when there is none.
    virtual quintptr findWindow(const QString &title) = 0;
    // Posts a close request to the window; returns at once without waiting for it to close.
    virtual void postClose(quintptr handle) = 0;
};

std::unique_ptr<WindowDirectory> createSystemWindowDirectory();
