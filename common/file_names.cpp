#include "common/file_names.h"

namespace orvano {
namespace {

struct PathParts {
  std::string_view directory;  // up to and including the last "/"
  std::string_view base;
  std::string_view extension;  // from the last "." after the directory on
};

PathParts Split(std::string_view path) {
  const auto slash = path.rfind('/');
  const std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view name = path.substr(name_start);
  const auto dot = name.rfind('.');
  const std::size_t base_length = dot == std::string_view::npos ? name.size() : dot;
  return {path.substr(0, name_start), name.substr(0, base_length), name.substr(base_length)};
}

}  // namespace

std::string ChangeExt(std::string_view path, std::string_view ext) {
  const PathParts parts = Split(path);
  std::string result;
  result.reserve(parts.directory.size() + parts.base.size() + 1 + ext.size());
  result.append(parts.directory).append(parts.base).append(1, '.').append(ext);
  return result;
}

std::string ExtOf(std::string_view path) { return std::string(Split(path).extension); }

std::string NameOf(std::string_view path) { return std::string(Split(path).base); }

std::string TapeName(std::string_view path) {
  std::string name = NameOf(path);
  name.resize(kTapeNameLength, ' ');
  return name;
}

std::string UpperCaseName(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

std::string UpperCaseFileName(std::string_view path) {
  const PathParts parts = Split(path);
  const std::size_t name_start = parts.directory.size();
  return std::string(path.substr(0, name_start)) + UpperCaseName(path.substr(name_start));
}

}  // namespace orvano
