#ifndef BINARIO_TOOLS_BINARIO_LSP_DOCUMENTS_H_
#define BINARIO_TOOLS_BINARIO_LSP_DOCUMENTS_H_

#include <map>
#include <string>
#include <vector>

namespace binario::tool {

// One change an editor sends: the whole text, or a range (lines and UTF-16
// units, from 0) replaced by new text.
struct TextChange {
  bool whole = true;
  int start_line = 0;
  int start_character = 0;
  int end_line = 0;
  int end_character = 0;
  std::string text;
};

// The texts the editor holds open, by URI, in UTF-8 as the editor sends them.
class Documents {
 public:
  void open(const std::string& uri, std::string text, int version);
  // False when `uri` is not open; a range outside the text is clamped to it.
  bool change(const std::string& uri, const std::vector<TextChange>& changes, int version);
  void close(const std::string& uri);

  // The text of an open document, or nullptr.
  const std::string* text(const std::string& uri) const;
  std::vector<std::string> uris() const;

 private:
  struct Document {
    std::string text;
    int version = 0;
  };
  std::map<std::string, Document> open_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_LSP_DOCUMENTS_H_
