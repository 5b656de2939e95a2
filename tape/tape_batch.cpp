#include "tape/tape_batch.h"

#include <filesystem>
#include <map>

#include "tape/parallel_runs.h"
#include "tape/tape_file_names.h"
#include "tape/tape_outputs.h"

namespace orvano::tape {
namespace {

// Two spellings of one folder ("out/A", "./out/A/") are one folder.
std::string FolderKey(const std::string& folder) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(folder, error);
  return (error ? std::filesystem::path(folder) : absolute).lexically_normal().string();
}

}  // namespace

std::vector<std::string> OutputFolders(std::span<const std::string> recordings, const std::string& dir) {
  std::vector<std::string> folders;
  for (const std::string& recording : recordings) {
    if (dir.empty()) {
      folders.push_back(DefaultOutputFolder(recording));
    } else if (recordings.size() == 1) {
      folders.push_back(dir);
    } else {
      folders.push_back(PathIn(dir, FolderNameOf(recording)));
    }
  }
  return folders;
}

Outcome RunRecordings(std::span<const std::string> recordings, const std::string& dir, unsigned jobs,
                      const RecordingWork& work, Reporter& reporter) {
  const std::vector<std::string> folders = OutputFolders(recordings, dir);
  std::vector<BatchRun> runs;
  std::map<std::string, std::size_t> first_of_folder;
  for (std::size_t i = 0; i < recordings.size(); ++i) {
    const auto [first, fresh] = first_of_folder.try_emplace(FolderKey(folders[i]), i);
    if (!fresh) {
      const std::string text = "Recording " + recordings[i] + " is left out: its outputs would go to " + folders[i] +
                               " with those of " + recordings[first->second];
      runs.push_back({recordings[i], [text](Reporter& r) {
                        Log(r, text);
                        return Outcome::Failure;
                      }});
      continue;
    }
    runs.push_back({recordings[i], [&work, &recording = recordings[i], &folder = folders[i]](Reporter& r) {
                      return work(recording, folder, r);
                    }});
  }
  return RunInParallel(std::move(runs), jobs, "Reading tapes", reporter);
}

}  // namespace orvano::tape
