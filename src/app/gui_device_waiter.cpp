#include "app/gui_device_waiter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

GuiDeviceWaiter::GuiDeviceWaiter(QObject *parent) : QObject(parent) {}

void GuiDeviceWaiter::WakeFromAnyThread() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (loop_) loop_->quit();
      },
      Qt::QueuedConnection);
}

device::IDeviceWaiter::Outcome GuiDeviceWaiter::Wait(uint32_t timeoutMs, util::ManualResetEvent &answer,
                                                     util::ManualResetEvent &abort) {
  auto firstSet = [&]() {
    if (answer.IsSet()) return Outcome::Answer;
    if (abort.IsSet()) return Outcome::Abort;
    return Outcome::Timeout;
  };
  Outcome now = firstSet();
  if (now != Outcome::Timeout || timeoutMs == 0) return now;

  QEventLoop loop;
  QPointer<QEventLoop> outer = loop_;
  loop_ = &loop;
  // The observers may fire on the reader thread after this wait returned:
  // they only post to this object, which outlives every wait.
  std::weak_ptr<bool> alive = alive_;
  auto wake = [this, alive] {
    if (alive.lock()) WakeFromAnyThread();
  };
  int answerId = answer.AddObserver(wake);
  int abortId = abort.AddObserver(wake);
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(static_cast<int>(timeoutMs));
  if (firstSet() == Outcome::Timeout) loop.exec();
  answer.RemoveObserver(answerId);
  abort.RemoveObserver(abortId);
  loop_ = outer;
  return firstSet();
}

void GuiDeviceWaiter::ProcessInput() { QCoreApplication::processEvents(); }
