#include "app/BackgroundWork.h"

#include <QEventLoop>

#include <exception>
#include <thread>

namespace kr6 {

void RunInBackground(const std::function<void()>& Work) {
    QEventLoop Loop;
    std::exception_ptr Failure;
    std::thread Worker([&] {
        try {
            Work();
        } catch (...) {
            Failure = std::current_exception();
        }
        // Posted, so it also ends the loop when Work returns before the loop has started.
        QMetaObject::invokeMethod(&Loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    Loop.exec();
    Worker.join();
    if (Failure)
        std::rethrow_exception(Failure);
}

} // namespace kr6
