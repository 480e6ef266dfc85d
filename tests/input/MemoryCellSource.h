// An in-memory cell source for driving the row loop in tests: cells by
// address text, a result per operation, and a log of every call.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "input/CellSource.h"

class MemoryCellSource : public CellSource {
 public:
  struct Script {
    std::map<std::string, std::string> cells;  // "B7" -> text
    CellSourceResult start = CellSourceResult::ok;
    CellSourceResult open = CellSourceResult::ok;
    CellSourceResult select = CellSourceResult::ok;
    CellSourceResult finish = CellSourceResult::ok;
    std::string failingCell;  // the cell whose read fails
    CellSourceResult cellFailure = CellSourceResult::failed;
    std::vector<std::string> log;  // "start", "open PATH", "select NAME", "cell B7", "finish"
  };

  explicit MemoryCellSource(Script& script) : script_(script) {}

  CellSourceResult start() override {
    script_.log.push_back("start");
    return script_.start;
  }
  CellSourceResult openDocument(const std::string& path) override {
    script_.log.push_back("open " + path);
    return script_.open;
  }
  CellSourceResult selectSheet(const std::string& name) override {
    script_.log.push_back("select " + name);
    return script_.select;
  }
  CellSourceResult cellText(const CellAddress& address, std::string& text) override {
    script_.log.push_back("cell " + address.text);
    if (address.text == script_.failingCell) return script_.cellFailure;
    const auto found = script_.cells.find(address.text);
    text = found != script_.cells.end() ? found->second : std::string();
    return CellSourceResult::ok;
  }
  CellSourceResult finish() override {
    script_.log.push_back("finish");
    return script_.finish;
  }

 private:
  Script& script_;
};

// A factory that hands out sources reading script.
inline CellSourceFactory memorySourceFactory(MemoryCellSource::Script& script) {
  return [&script](const std::string&) { return std::make_unique<MemoryCellSource>(script); };
}
