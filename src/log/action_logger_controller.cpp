#include "log/action_logger_controller.h"

#include <utility>

TActionLoggerController::TActionLoggerController(std::unique_ptr<ILogFrame> frame, std::shared_ptr<ILogger> logger)
    : frame_(std::move(frame)), logger_(std::move(logger)) {}

TActionLoggerController::~TActionLoggerController() {
  logger_->Clear();
  logger_.reset();
  frame_.reset();
}
