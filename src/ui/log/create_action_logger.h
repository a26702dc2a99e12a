#pragma once
#include <QWidget>
#include <memory>

#include "log/log_intf.h"

// Puts a new action log frame into Panel, filling it, and returns the logger
// that writes into it. Releasing the last reference clears the log and frees
// the frame. Without a panel the frame stays hidden and the log still works.
std::shared_ptr<ISequentialActionLogger> CreateActionLogger(QWidget *Panel);
