#include "ruvezivevo/fe_root_section.h"

#include "ruvezivevo/byte_stream.h"

namespace ruvezivevo {

TFERootSection::TFERootSection(TStream *boundStream, bool ownsStream)
    : TFESection(0, nullptr), boundStream_(boundStream), ownedStream_(ownsStream ? boundStream : nullptr) {}

TFERootSection::~TFERootSection() {
  if (!boundStream_) return;
  // A tree that cannot be stored must not wipe the image the stream holds.
  const std::string image = BuildImage(nullptr);
  if (image.empty()) return;
  boundStream_->SetSize(0);
  boundStream_->SetPosition(0);
  boundStream_->Write(image.data(), image.size());
}

std::string TFERootSection::BuildImage(std::vector<TFESaveIssue> *issues) const {
  TFEImageBuffer buffer;
  const uint16_t length = SaveToBuffer(buffer, 0, 0);
  if (issues) *issues = std::move(buffer.issues);
  return std::string(reinterpret_cast<const char *>(buffer.bytes.data()), length);
}

void TFERootSection::SaveToStream(TStream *stream) const {
  if (!stream) return;
  const std::string image = BuildImage(nullptr);
  if (!image.empty()) stream->Write(image.data(), image.size());
}

std::string TFERootSection::SaveToString() const {
  TByteStringStream stream;
  SaveToStream(&stream);
  return stream.Bytes();
}

std::shared_ptr<IFERootSection> TFERootSection::SharedRoot() const {
  auto self = std::const_pointer_cast<TFEItem>(weak_from_this().lock());
  return std::static_pointer_cast<TFERootSection>(std::static_pointer_cast<TFESection>(self));
}

std::shared_ptr<IFERootSection> CreateRootSection() { return std::make_shared<TFERootSection>(nullptr, false); }

std::shared_ptr<IFERootSection> LoadRootSection(TStream *stream, bool bindStream, bool ownsStream) {
  auto root = std::make_shared<TFERootSection>(bindStream ? stream : nullptr, bindStream && ownsStream);
  if (!stream) return root;
  TFELoadContext context;
  context.base = stream->Position();
  root->LoadFromStream(*stream, 0, context);
  if (ownsStream && !bindStream) delete stream;  // handed over but not needed any more
  return root;
}

std::shared_ptr<IFERootSection> LoadRootSection(std::string_view image) {
  TByteStringStream stream{std::string(image)};
  return LoadRootSection(&stream, false, false);
}

std::shared_ptr<IFERootSection> LoadRootSection(std::string_view image, TFELoadReport &report) {
  report = TFELoadReport{};
  report.imageBytes = static_cast<uint32_t>(std::min<size_t>(image.size(), UINT32_MAX));
  auto root = std::make_shared<TFERootSection>(nullptr, false);
  TByteStringStream stream{std::string(image)};
  TFELoadContext context;
  context.report = &report;
  root->LoadFromStream(stream, 0, context);
  return root;
}

}  // namespace ruvezivevo
