#pragma once
// The hourglass while a long step runs, put back on every way out of the scope.

#include <QApplication>

namespace tivane {

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    // Before a message is shown, so the pointer is the usual one over it.
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

} // namespace tivane
