#include "tape/tape_file_names.h"

#include <algorithm>

namespace orvano::tape {
namespace {

bool SafeInFileName(char c) {
  const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  const bool digit = c >= '0' && c <= '9';
  return letter || digit || std::string_view("-_.!#$()").find(c) != std::string_view::npos;
}

std::string BaseName(std::size_t place, const TapeFile& file) { return PlaceText(place) + "-" + SafeTapeName(file.name); }

}  // namespace

std::string PlaceText(std::size_t place) {
  std::string number = std::to_string(place);
  if (number.size() < 2) number.insert(0, 1, '0');
  return number;
}

std::string SafeTapeName(std::string_view tape_name) {
  const auto first = tape_name.find_first_not_of(' ');
  if (first == std::string_view::npos) return "NONAME";
  std::string name(tape_name.substr(first, tape_name.find_last_not_of(' ') + 1 - first));
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !SafeInFileName(c); }, '_');
  return name;
}

std::string_view ExtensionOf(FileType type) {
  switch (type) {
    case FileType::Basic:
      return "CAS";
    case FileType::Text:
      return "TXT";
    case FileType::Binary:
      break;
  }
  return "BIN";
}

std::string DataFileName(std::size_t place, const TapeFile& file) {
  return BaseName(place, file) + "." + std::string(ExtensionOf(file.type));
}

std::string ListingFileName(std::size_t place, const TapeFile& file) { return BaseName(place, file) + ".BAS"; }

std::string PathIn(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (!path.empty() && path.back() != '/') path += '/';
  return path.append(name);
}

}  // namespace orvano::tape
