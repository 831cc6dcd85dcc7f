// The working folders and the two-line settings file quorva_set.cfg.
#pragma once

#include <stdexcept>
#include <string>

#include "core/SharedValues.h"
#include "core/UiPort.h"
#include "platform/FileSystem.h"

namespace qv {

// A failure that stops the start-up or an operation; its text names the file and what failed.
class OperationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws OperationError when the current directory can't be read.
void SetBaseDir(FileSystem& fs, SharedValues& values);
// Creates Temp_Path, then Unused Gauges, each only when nothing of that name exists.
// Throws OperationError naming the folder when one can't be created.
void CreateHoldingFolders(FileSystem& fs, const SharedValues& values);
bool SettingsFileExists(FileSystem& fs, const SharedValues& values);
// Throws OperationError (naming the file) when it can't be read, has fewer than two lines or its
// second line is not a number from 0 to 255.
void ReadSettingsFile(FileSystem& fs, SharedValues& values);
// Saves fs_main_dir and fs_version. Refuses an empty `folder_text` (and a folder name that has no
// single-byte form, which arrives here as a text with "?" and `lossless` false) with a warning;
// a file that can't be written is reported by a warning too. Returns whether it was saved.
bool WriteSettingsFile(FileSystem& fs, SharedValues& values, const std::string& folder_text,
                       UiPort& ui, bool lossless = true);
void DeriveSimFolders(FileSystem& fs, SharedValues& values);

std::string SettingsFilePath(const SharedValues& values);

}  // namespace qv
