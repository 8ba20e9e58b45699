#include "import/text_input.h"

#include "base/error.h"
#include "platform/platform.h"

namespace velkor {

namespace {

constexpr std::size_t kChunk = 1 << 16;

std::string TooLargeFile() {
  return "File larger than 1 GB: no NetCAD report or cross-section file is anywhere near that long";
}
std::string TooLongLine() { return "Line longer than 1 MB: no NetCAD report or cross-section file has such lines"; }

}  // namespace

TextInput::TextInput(const std::filesystem::path& file)
    : path_(file), file_(std::make_unique<platform::InputFile>(file)), buffer_(kChunk) {
  if (file_->size() > kMaxInputBytes) throw Error(TooLargeFile(), label());
}

TextInput::~TextInput() = default;

std::string TextInput::label() const { return PathToUtf8(path_); }

bool TextInput::Fetch() {
  Line line;
  for (;;) {
    if (bufferStart_ == bufferEnd_) {
      if (endOfFile_) break;
      bufferStart_ = 0;
      bufferEnd_ = file_->Read(buffer_.data(), buffer_.size());
      bytesRead_ += bufferEnd_;
      // The file may have grown since it was opened.
      if (bytesRead_ > kMaxInputBytes) throw Error(TooLargeFile(), label());
      if (bufferEnd_ == 0) {
        endOfFile_ = true;
        break;
      }
    }
    // A CR at the end of one chunk may be the first half of CR LF.
    if (line.ending == "\r") {
      if (buffer_[bufferStart_] == '\n') {
        line.ending += '\n';
        ++bufferStart_;
      }
      pending_.push_back(std::move(line));
      ++fetched_;
      return true;
    }
    const char* begin = buffer_.data() + bufferStart_;
    const char* end = buffer_.data() + bufferEnd_;
    const char* stop = begin;
    while (stop != end && *stop != '\r' && *stop != '\n') ++stop;
    if (line.text.size() + static_cast<std::size_t>(stop - begin) > kMaxLineBytes) {
      throw Error(TooLongLine(), label(), fetched_ + 1);
    }
    line.text.append(begin, stop);
    bufferStart_ += static_cast<std::size_t>(stop - begin);
    if (stop == end) continue;
    ++bufferStart_;
    if (*stop == '\n') {
      line.ending = "\n";
      pending_.push_back(std::move(line));
      ++fetched_;
      return true;
    }
    line.ending = "\r";
  }
  // The end of the file: a last line without its ending, or a lone CR closing the file.
  if (line.text.empty() && line.ending.empty()) return false;
  pending_.push_back(std::move(line));
  ++fetched_;
  return true;
}

bool TextInput::ReadLine(std::string& line) {
  if (pending_.empty() && !Fetch()) return false;
  line = std::move(pending_.front().text);
  ending_ = std::move(pending_.front().ending);
  pending_.pop_front();
  ++lineNumber_;
  return true;
}

const std::string* TextInput::PeekLine(std::size_t ahead) {
  while (pending_.size() <= ahead) {
    if (!Fetch()) return nullptr;
  }
  return &pending_[ahead].text;
}

}  // namespace velkor
