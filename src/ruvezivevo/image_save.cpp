#include "ruvezivevo/image_save.h"

#include "ruvezivevo/fe_internal.h"
#include "ruvezivevo/fe_root_section.h"
#include "ruvezivevo/image_load_report.h"
#include "util/format.h"

namespace ruvezivevo {

std::string DescribeSaveIssue(const TFESaveIssue &issue) {
  const std::string where = issue.path.empty() && issue.kind != TFESaveIssue::Kind::UnknownTypeCode
                                ? std::string("корневой раздел")
                                : util::Format("раздел %s", SectionPathText(issue.path));
  switch (issue.kind) {
    case TFESaveIssue::Kind::SectionTooLarge:
      return where + " не помещается в образ (64 КБ)";
    case TFESaveIssue::Kind::TooManyItems:
      return where + ": 256 элементов, в образе помещается не более 255";
    case TFESaveIssue::Kind::TooDeep:
      return where + util::Format(": вложенность больше %d уровней", static_cast<int>(kFEMaxDepth));
    case TFESaveIssue::Kind::UnknownTypeCode:
      return util::Format("параметр %s: тип %d не сохраняется в образе", SectionPathText(issue.path), issue.typeCode);
  }
  return {};
}

std::string TFEImageResult::Describe() const {
  std::string text;
  for (const auto &issue : issues) {
    if (!text.empty()) text += "; ";
    text += DescribeSaveIssue(issue);
  }
  return text;
}

TFEImageResult SerializeImage(const IFERootSection &root) {
  TFEImageResult result;
  // Another implementation cannot tell what it left out; take its image as is.
  const auto *impl = dynamic_cast<const TFERootSection *>(&root);
  std::string bytes = impl ? impl->BuildImage(&result.issues) : root.SaveToString();
  if (!bytes.empty() && result.issues.empty()) result.image = TFEImage(std::move(bytes));
  return result;
}

}  // namespace ruvezivevo
