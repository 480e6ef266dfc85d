// Cell source for OpenDocument spreadsheets (.ods): a zip whose part
// content.xml holds every sheet as a table. A cell shows the text of its
// paragraphs, which the writing application stores already formatted.
#pragma once

#include <pugixml.hpp>

#include <string>

#include "input/ZCellSource.h"
#include "input/sources/ZCellGrid.h"
#include "input/sources/ZTextBudget.h"
#include "input/sources/ZZipArchive.h"

class ZOdsCellSource : public ZCellSource {
 public:
  ZCellSourceResult start() override;
  // Reads and parses content.xml.
  ZCellSourceResult openDocument(const std::string& path) override;
  // Finds the table by name (ASCII case does not matter) and indexes its
  // rows and cells, repeated rows and cells as runs.
  ZCellSourceResult selectSheet(const std::string& name) override;
  ZCellSourceResult cellText(const ZCellAddress& address, std::string& text) override;
  ZCellSourceResult finish() override;

 private:
  void indexRows(const pugi::xml_node& container, uint64_t& nextRow, int depth);

  std::string contentBuffer_;  // the parsed content lives in here
  pugi::xml_document content_;
  ZCellGrid<pugi::xml_node> grid_;
  ZTextBudget budget_;
};

// The text a table cell shows: its paragraphs joined by line breaks, or,
// for a cell without paragraphs, its value.
std::string odsCellText(const pugi::xml_node& cell);
