#include "app/busy_work.h"

#include <QEventLoop>
#include <thread>

namespace velkor::app {

void RunAwayFromWindows(const std::function<void()>& work) {
  QEventLoop loop;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    // Queued behind whatever progress the work posted, so the last caption is shown before the wait ends.
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace velkor::app
