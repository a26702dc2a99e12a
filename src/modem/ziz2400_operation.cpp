// The frame every modem operation runs in: announce, start, execute, decode
// on success, report the end.
#include "modem/ziz2400.h"

namespace modem {

namespace {

// An answer's data bytes: its hex text after the status pair.
std::string DataAfterStatus(const std::string &answerData) {
  return answerData.size() > 2 ? answerData.substr(2) : std::string();
}

}  // namespace

bool ZIZ2400::RunOperation(const std::string &actionText, const std::string &command, const AnswerDecoder &decode) {
  return RunOperation(actionText, command, TAnswerForm::Any(), decode);
}

bool ZIZ2400::RunOperation(const std::string &actionText, const std::string &command, const TAnswerForm &form,
                           const AnswerDecoder &decode) {
  DoAction(0, actionText, 24, 1);
  DetailStart();
  // A progress handler may start another operation on this node while this
  // one waits (it is refused as busy): this one's form is back after it.
  TAnswerForm outer;
  {
    auto l = LockState();
    outer = answerForm_;
    answerForm_ = form;
  }
  Execute(command, 1, Transactions);
  {
    auto l = LockState();
    answerForm_ = outer;
  }
  if (ResultCode().Code == 0 && decode) {
    if (auto replaced = decode(DataAfterStatus(AnswerData()))) SetResult(*replaced);
  }
  // Taken before DetailDone: a progress handler may run another operation
  // on this node, whose result must not become this one's.
  const bool ok = ResultCode().Code == 0;
  DetailDone();
  return ok;
}

bool ZIZ2400::AnswerBelongs(const std::string &answerData) const {
  auto l = LockState();
  return answerForm_.Fits(DataAfterStatus(answerData));
}

bool ZIZ2400::RefuseOperation(const std::string &actionText, const device::TResultCode &rc) {
  DoAction(0, actionText, 24, 1);
  DetailStart();
  SetResult(rc);
  DetailDone();
  return false;
}

}  // namespace modem
