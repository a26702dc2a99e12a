#pragma once
// The top of an image. A root may be bound to a stream: when the root goes
// away it writes the current tree back into that stream.
#include <memory>
#include <string>
#include <string_view>

#include "ruvezivevo/fe_section.h"
#include "ruvezivevo/image_load_report.h"

namespace ruvezivevo {

class TStream;

class TFERootSection final : public TFESection, public virtual IFERootSection {
 public:
  // boundStream may be null. With ownsStream the root deletes the stream when
  // it goes away (whether or not it is bound to it).
  TFERootSection(TStream *boundStream, bool ownsStream);
  ~TFERootSection() override;

  void SaveToStream(TStream *stream) const override;
  std::string SaveToString() const override;

  // The image and what could not be stored in it.
  std::string BuildImage(std::vector<TFESaveIssue> *issues) const;
  std::shared_ptr<IFERootSection> SharedRoot() const;

 private:
  TStream *boundStream_;
  std::unique_ptr<TStream> ownedStream_;
};

std::shared_ptr<IFERootSection> CreateRootSection();

// Reads the image at the stream's position. Never fails: a damaged or blank
// image gives a root without (some of its) items; a null stream an empty root.
std::shared_ptr<IFERootSection> LoadRootSection(TStream *stream, bool bindStream, bool ownsStream);
// The same over bytes in memory, unbound.
std::shared_ptr<IFERootSection> LoadRootSection(std::string_view image);
// The same, noting in `report` whether the image loaded whole.
std::shared_ptr<IFERootSection> LoadRootSection(std::string_view image, TFELoadReport &report);

}  // namespace ruvezivevo
