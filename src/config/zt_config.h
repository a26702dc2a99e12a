#pragma once
// A modem configuration: a section tree seen as its six modules. Module
// objects are made on first use, which adds their (empty) section to the
// image; changes go straight into the tree.
#include <memory>
#include <string>

#include "config/zt_modules.h"
#include "ruvezivevo/fe_interfaces.h"
#include "ruvezivevo/image_save.h"

namespace config {

class IZTConfig {
 public:
  virtual ~IZTConfig() = default;

  virtual std::shared_ptr<IZT_UartSettings> GetUartSettings() = 0;
  virtual void AssignUartSettings(const std::shared_ptr<IZT_UartSettings> &source) = 0;
  virtual std::shared_ptr<IZT_UserSettings> GetUserSettings() = 0;
  virtual std::shared_ptr<IZT_ZTUARTSettings> GetZTUARTSettings() = 0;
  virtual std::shared_ptr<IZT_ZTNETSettings> GetZTNETSettings() = 0;
  virtual std::shared_ptr<IZT_CC1100PHYSettings> GetCC1100PHYSettings() = 0;
  virtual std::shared_ptr<IZT_PTPSettings> GetPTPSettings() = 0;
  virtual void AssignUserSettings(const std::shared_ptr<IZT_UserSettings> &source) = 0;
  virtual void AssignZTUARTSettings(const std::shared_ptr<IZT_ZTUARTSettings> &source) = 0;
  virtual void AssignZTNETSettings(const std::shared_ptr<IZT_ZTNETSettings> &source) = 0;
  virtual void AssignCC1100PHYSettings(const std::shared_ptr<IZT_CC1100PHYSettings> &source) = 0;
  // Copies the link flag, ping period, timeout and route; the retries stay.
  virtual void AssignPTPSettings(const std::shared_ptr<IZT_PTPSettings> &source) = 0;
  virtual void SaveToStream(ruvezivevo::TStream *stream) const = 0;
  // Empty when the tree does not fit an image: never write this to a modem
  // unchecked; SerializeImage is the form for writing.
  virtual std::string SaveToString() const = 0;

  // The image only when it holds the whole tree (see ruvezivevo/image_save.h).
  virtual ruvezivevo::TFEImageResult SerializeImage() const = 0;
  virtual std::shared_ptr<ruvezivevo::IFERootSection> GetRoot() const = 0;
};

// A configuration over root, no module made yet. A null root stands for a
// new, empty one.
std::shared_ptr<IZTConfig> CreateConfig(std::shared_ptr<ruvezivevo::IFERootSection> root);

}  // namespace config
