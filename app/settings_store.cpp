#include "app/settings_store.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "common/number_text.h"

namespace orvano::app {
namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

std::string SettingsPath(const char* xdg_config_home, const char* home) {
  std::string folder;
  if (IsAbsolute(xdg_config_home)) {
    folder = xdg_config_home;
  } else if (IsAbsolute(home)) {
    folder = std::string(home) + "/.config";
  } else {
    return {};
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder == "/") folder.clear();
  return folder + "/orvano/settings";
}

Settings SettingsStore::Load() {
  if (path_.empty()) return {};
  FileStream file(path_, OpenMode::Read);
  if (file.Status() == StreamStatus::OpenFailed && file.SystemError() == ENOENT) return {};
  const std::string used = "; the defaults are used";
  if (file.Failed()) {
    Complain("Settings file " + path_ + " cannot be read: " + ReasonOf(file) + used);
    return {};
  }
  if (file.Size() > kMaxSettingsBytes) {
    Complain("Settings file " + path_ + " is damaged: it is larger than 64 KB" + used);
    return {};
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  file.Read(bytes);
  if (file.Failed()) {
    Complain(ReadFailedText(path_, file) + used);
    return {};
  }
  const auto read = ReadSettings(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (const auto* error = std::get_if<SettingsError>(&read)) {
    const std::string where = error->line > 0 ? " in line " + Decimal(static_cast<std::uint64_t>(error->line)) : "";
    Complain("Settings file " + path_ + " is damaged" + where + ": " + error->reason + used);
    return {};
  }
  return std::get<Settings>(read);
}

void SettingsStore::Save(const Settings& settings) {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), error);
  FileStream file(path_, OpenMode::Create);
  if (file.Failed()) {
    Complain(CreateFailedText(path_) + ": " + ReasonOf(file));
    return;
  }
  const std::string text = SettingsText(settings);
  file.Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  file.Release();
  if (file.Failed()) Complain(WriteFailedText(path_, file));
}

std::optional<std::string> SettingsStore::Complaint() {
  if (!complaint_) return std::nullopt;
  complained_ = true;
  return std::exchange(complaint_, std::nullopt);
}

void SettingsStore::Complain(std::string text) {
  if (!complained_ && !complaint_) complaint_ = std::move(text);
}

}  // namespace orvano::app
