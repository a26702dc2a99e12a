#pragma once
// The checked way to turn a tree into the bytes sent to a modem. SaveToString
// yields an empty string when the tree does not fit and silently leaves out
// what does not fit below the root; a configuration region written with such
// bytes would hold no (or a partial) configuration. SerializeImage instead
// hands out a TFEImage only for a complete image, and a TFEImage is never
// empty, so code that writes a TFEImage cannot write nothing by accident.
#include <optional>
#include <string>
#include <vector>

#include "ruvezivevo/fe_interfaces.h"
#include "ruvezivevo/fe_save_issue.h"

namespace ruvezivevo {

struct TFEImageResult;
TFEImageResult SerializeImage(const IFERootSection &root);

class TFEImage {
 public:
  const std::string &Bytes() const { return bytes_; }
  size_t Size() const { return bytes_.size(); }

 private:
  friend TFEImageResult SerializeImage(const IFERootSection &root);
  explicit TFEImage(std::string bytes) : bytes_(std::move(bytes)) {}
  std::string bytes_;
};

struct TFEImageResult {
  std::optional<TFEImage> image;      // set only when every item was stored
  std::vector<TFESaveIssue> issues;   // why not, when it is not

  bool Ok() const { return image.has_value(); }
  // The issues joined into one line for the action log; empty when Ok.
  std::string Describe() const;
};

}  // namespace ruvezivevo
