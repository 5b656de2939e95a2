#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvano::testing {

// A fresh directory under /tmp, removed with everything in it at scope end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

using Bytes = std::vector<std::uint8_t>;

void WriteFile(const std::string& path, const Bytes& bytes);
void WriteFile(const std::string& path, std::string_view text);
Bytes ReadFile(const std::string& path);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
// Names in the directory, sorted; temporary files of an output show here too.
std::vector<std::string> ListDir(const std::string& path);

Bytes BytesOf(std::string_view text);

}  // namespace orvano::testing
