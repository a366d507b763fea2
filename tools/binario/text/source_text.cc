#include "text/source_text.h"

#include <algorithm>
#include <utility>

namespace binario::tool {

SourceText::SourceText(std::string name, std::string bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {
  starts_.push_back(0);
  for (size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n') ++i;
    if ((bytes_[i] == '\n' || bytes_[i] == '\r') && i + 1 < bytes_.size()) starts_.push_back(i + 1);
  }
}

int SourceText::line_of(size_t offset) const {
  auto next = std::upper_bound(starts_.begin(), starts_.end(), offset);
  return static_cast<int>(next - starts_.begin());
}

int SourceText::column_of(size_t offset) const {
  return static_cast<int>(offset - line_start(line_of(offset))) + 1;
}

size_t SourceText::line_start(int line) const {
  if (line < 1) return 0;
  if (line > line_count()) return bytes_.size();
  return starts_[static_cast<size_t>(line - 1)];
}

std::string_view SourceText::line(int line) const {
  if (line < 1 || line > line_count()) return {};
  std::string_view rest = std::string_view(bytes_).substr(line_start(line));
  return rest.substr(0, rest.find_first_of("\r\n"));
}

SourceText SourceText::without_line(int line) const {
  const size_t start = line_start(line);
  const size_t length = this->line(line).size();
  std::string bytes = bytes_;
  bytes.erase(start, length);
  return SourceText(name_, std::move(bytes));
}

}  // namespace binario::tool
