// A fast reader for the rows of a sheet part's sheet data. Nearly all of a
// large .xlsx sheet is rows of plain cells:
//
//   <row r="2"><c r="A2" t="n"><v>6000</v></c><c r="B2" t="inlineStr"><is><t>name</t></is></c></row>
//
// Taking them through the general XML reader event by event costs most of
// the time of reading a sheet. This scanner reads one such row from a
// window of the part and reports it as steps; anything outside the plain
// forms below (a reference or CR in a text, a prefixed or unknown element,
// rich text, a comment, ...) it declines, and the general reader reads that
// row. For a row it accepts, the steps mean exactly what the general
// reader's events for it would.
//
//   row     := blank* "<row" attributes ("/>" | ">" (blank* cell)* blank* "</row" blank* ">")
//   cell    := "<c" attributes ("/>" | ">" (blank* content)* blank* "</c" blank* ">")
//   content := "<v" | "<f" attributes, then "/>" or ">" text "</v>" / "</f>"
//            | "<is" attributes ("/>" | ">" (blank* "<t" attributes ("/>" | ">" text "</t>"))* blank* "</is>")
//   text    := any bytes but "<", "&" and CR; the text of a <t> begins and ends with no blank
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct SheetRowStep {
  enum class Kind : uint8_t { rowStart, cellStart, value, cellEnd, rowEnd };
  Kind kind = Kind::rowStart;
  // The first attribute of that local name of the row (r) or the cell
  // (r, s, t); values are raw and need no decoding.
  bool hasR = false;
  bool hasS = false;
  bool hasT = false;
  std::string_view r;
  std::string_view s;
  std::string_view t;
  // value: the text of a <v> element (inlineText false) or of a <t> in the
  // cell's <is> (inlineText true).
  std::string_view text;
  bool inlineText = false;
};

enum class RowScan {
  row,       // one row read: its steps, and `length` bytes taken from the window
  needMore,  // the row goes on past the end of the window
  declined,  // not a plain row: the general reader reads what follows
};

// Reads the row at the start of window (after blanks). steps is cleared
// first; the views in it point into window.
RowScan scanSheetRow(std::string_view window, std::size_t& length, std::vector<SheetRowStep>& steps);
