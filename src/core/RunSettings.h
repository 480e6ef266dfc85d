// The process-wide record of every command-line setting. It starts empty,
// is filled by the command-line parser and read by the rest of the program;
// the macro factory appends the signals it cannot place. It sits below the
// generators (core/) so that they read and append to it without depending
// on the application that fills it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/VirtualDevices.h"

class RunSettings {
 public:
  int32_t generationMode() const { return generationMode_; }
  int32_t dutNodeId() const { return dutNodeId_; }
  int32_t testerNodeId() const { return testerNodeId_; }
  bool deleteDatabase() const { return deleteDatabase_; }
  std::string databasePath() const { return databasePath_; }
  std::string sheetPath() const { return sheetPath_; }
  std::string outputPath() const { return outputPath_; }
  std::string dutName() const { return dutName_; }
  std::string testerName() const { return testerName_; }
  std::string wideValueFormat() const { return wideValueFormat_; }
  // -wide: objects of 33 to 64 bits are read and commanded signal by signal,
  // as numbers, in modes 1 and 3.
  bool splitWideObjects() const { return splitWideObjects_; }
  bool virtualDevice(VirtualDevice device) const {
    return virtualDevices_[static_cast<size_t>(device)];
  }
  std::string oversizedSignalList() const { return oversizedSignalList_; }

  void clearOversizedSignalList() { oversizedSignalList_.clear(); }
  // Appends the line and a line end.
  void appendOversizedSignal(const std::string& line) { oversizedSignalList_ += line + "\n"; }

  // Written by the command-line parser (and by tests that need settings).
  void setGenerationMode(int32_t value) { generationMode_ = value; }
  void setDutNodeId(int32_t value) { dutNodeId_ = value; }
  void setTesterNodeId(int32_t value) { testerNodeId_ = value; }
  void setDeleteDatabase(bool value) { deleteDatabase_ = value; }
  void setDatabasePath(const std::string& value) { databasePath_ = value; }
  void setSheetPath(const std::string& value) { sheetPath_ = value; }
  void setOutputPath(const std::string& value) { outputPath_ = value; }
  void setDutName(const std::string& value) { dutName_ = value; }
  void setTesterName(const std::string& value) { testerName_ = value; }
  void setWideValueFormat(const std::string& value) { wideValueFormat_ = value; }
  void setSplitWideObjects(bool value) { splitWideObjects_ = value; }
  void setVirtualDevice(VirtualDevice device, bool value) {
    virtualDevices_[static_cast<size_t>(device)] = value;
  }

 private:
  int32_t generationMode_ = 0;
  int32_t dutNodeId_ = 0;
  int32_t testerNodeId_ = 0;
  bool deleteDatabase_ = false;
  std::string databasePath_;
  std::string sheetPath_;
  std::string outputPath_;
  std::string dutName_;
  std::string testerName_;
  std::string wideValueFormat_;
  bool splitWideObjects_ = false;
  std::array<bool, kVirtualDeviceCount> virtualDevices_{};
  std::string oversizedSignalList_;
};

// The settings of this process.
RunSettings& runSettings();

// Replaces the process-wide settings for the lifetime of this object (tests).
class ScopedRunSettings {
 public:
  explicit ScopedRunSettings(const RunSettings& settings);
  ~ScopedRunSettings();
  ScopedRunSettings(const ScopedRunSettings&) = delete;
  ScopedRunSettings& operator=(const ScopedRunSettings&) = delete;

 private:
  RunSettings saved_;
};
