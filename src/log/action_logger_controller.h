#pragma once
// The logger the main window holds: it owns the frame that shows the log and
// passes every operation to the logger drawn into that frame. Letting go of
// it clears the log, then frees the logger, then the frame.
#include <memory>
#include <string>

#include "log/log_intf.h"

// Whatever widget shows the log; destroying the handle frees the widget.
class ILogFrame {
 public:
  virtual ~ILogFrame() = default;
};

class TActionLoggerController final : public ISequentialActionLogger {
 public:
  TActionLoggerController(std::unique_ptr<ILogFrame> frame, std::shared_ptr<ILogger> logger);
  ~TActionLoggerController() override;

  std::shared_ptr<ILogNode> GetCurrentNode() override { return logger_->GetCurrentNode(); }
  std::shared_ptr<ILogNode> AddMessage(const std::string &Text) override { return logger_->AddMessage(Text); }
  std::shared_ptr<ILogNode> AddMessageAs(const std::string &Text, TLogNodeState State) override {
    return logger_->AddMessageAs(Text, State);
  }
  std::shared_ptr<ILogNode> BeginAction(const std::string &Text) override { return logger_->BeginAction(Text); }
  std::shared_ptr<ILogNode> EndSuccess(const std::string &Detail) override { return logger_->EndSuccess(Detail); }
  std::shared_ptr<ILogNode> EndError(const std::string &Detail) override { return logger_->EndError(Detail); }
  std::shared_ptr<ILogNode> EndPartial(const std::string &Detail) override { return logger_->EndPartial(Detail); }
  std::shared_ptr<ILogNode> EndAsLastChild() override { return logger_->EndAsLastChild(); }
  void Clear() override { logger_->Clear(); }

 private:
  std::unique_ptr<ILogFrame> frame_;
  std::shared_ptr<ILogger> logger_;
};
