// Long work away from the windows: while a large drawing is matched, a document built or saved, the
// windows keep repainting and the busy cursor keeps showing, yet no click or key reaches them until
// the work is done, so the order of events stays what it is without the thread.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>

namespace velkor::app {

// Runs `work` on a thread of its own and waits for it in an event loop that paints and runs timers but
// takes no user input; rethrows what `work` threw.
void RunAwayFromWindows(const std::function<void()>& work);

// Runs `call` on the windows' thread and waits for it: how work started by RunAwayFromWindows asks the
// user something. Called on the windows' thread, it simply calls. Rethrows what `call` threw.
template <class Call>
auto OnWindowThread(Call&& call) -> std::invoke_result_t<Call&> {
  using Result = std::invoke_result_t<Call&>;
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) return call();
  std::exception_ptr failure;
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(
        app,
        [&] {
          try {
            call();
          } catch (...) {
            failure = std::current_exception();
          }
        },
        Qt::BlockingQueuedConnection);
    if (failure) std::rethrow_exception(failure);
  } else {
    std::optional<Result> result;
    QMetaObject::invokeMethod(
        app,
        [&] {
          try {
            result.emplace(call());
          } catch (...) {
            failure = std::current_exception();
          }
        },
        Qt::BlockingQueuedConnection);
    if (failure) std::rethrow_exception(failure);
    return std::move(*result);
  }
}

// Posts `call` to `receiver`'s thread without waiting: progress shown from the work's thread, in order.
template <class Receiver, class Call>
void ShowFromWork(Receiver* receiver, Call&& call) {
  QMetaObject::invokeMethod(receiver, std::forward<Call>(call), Qt::QueuedConnection);
}

}  // namespace velkor::app
