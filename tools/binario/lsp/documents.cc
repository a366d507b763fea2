#include "lsp/documents.h"

#include <algorithm>
#include <utility>

#include "lsp/editor_text.h"

namespace binario::tool {

void Documents::open(const std::string& uri, std::string text, int version) {
  open_[uri] = Document{std::move(text), version};
}

bool Documents::change(const std::string& uri, const std::vector<TextChange>& changes,
                       int version) {
  const auto found = open_.find(uri);
  if (found == open_.end()) return false;
  std::string& text = found->second.text;
  for (const TextChange& c : changes) {
    if (c.whole) {
      text = c.text;
      continue;
    }
    const TextLines lines(text);
    size_t start = lines.offset(c.start_line, c.start_character);
    size_t end = lines.offset(c.end_line, c.end_character);
    if (end < start) std::swap(start, end);
    text.replace(start, end - start, c.text);
  }
  // A document that only grew keeps its spare room; give it back once in a
  // while so that a long session does not hold every text's largest size.
  if (text.capacity() > 2 * text.size() + 4096) text.shrink_to_fit();
  found->second.version = version;
  return true;
}

void Documents::close(const std::string& uri) { open_.erase(uri); }

const std::string* Documents::text(const std::string& uri) const {
  const auto found = open_.find(uri);
  return found == open_.end() ? nullptr : &found->second.text;
}

std::vector<std::string> Documents::uris() const {
  std::vector<std::string> out;
  for (const auto& [uri, doc] : open_) out.push_back(uri);
  return out;
}

}  // namespace binario::tool
