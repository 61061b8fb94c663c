#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace kr6 {

// Sets the application-wide cursor for its lifetime; the cursor that was in force before
// comes back when it ends.
class TOverrideCursor {
public:
    explicit TOverrideCursor(Qt::CursorShape Shape) {
        QGuiApplication::setOverrideCursor(QCursor(Shape));
    }
    ~TOverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
    TOverrideCursor(const TOverrideCursor&) = delete;
    TOverrideCursor& operator=(const TOverrideCursor&) = delete;
};

} // namespace kr6
