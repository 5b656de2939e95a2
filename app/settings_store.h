#pragma once

#include <optional>
#include <string>

#include "app/settings_file.h"

namespace orvano::app {

// Where the settings file lives: $XDG_CONFIG_HOME/orvano/settings, or
// $HOME/.config/orvano/settings when XDG_CONFIG_HOME is unset, empty or not
// an absolute path. Empty when there is no such place.
std::string SettingsPath(const char* xdg_config_home, const char* home);

// Reads and writes the settings file, and says what went wrong only once
// per run: the log should not repeat one complaint at every change.
class SettingsStore {
 public:
  explicit SettingsStore(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // The settings in the file; the defaults when there is none, and also
  // when it cannot be read or is damaged, which Complaint() then tells.
  Settings Load();
  // Replaces the file whole, in its folder made if need be; a failure
  // leaves the earlier file as it was, and Complaint() tells it.
  void Save(const Settings& settings);

  // What went wrong and has not been told yet; nothing once one complaint
  // was taken.
  std::optional<std::string> Complaint();

 private:
  void Complain(std::string text);

  std::string path_;
  std::optional<std::string> complaint_;
  bool complained_ = false;
};

}  // namespace orvano::app
