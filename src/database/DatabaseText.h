// The text of a database file as the writer sees it: its bytes, its
// line-end style, its environment variables and where new statements go.
//
// A file is read line by line. A line that starts outside a quoted string
// and whose first word is followed by more text is a statement with that
// keyword (the indented keyword list under "NS_ :" has nothing after its
// words, so it holds no statements). Quoted strings may run over several
// lines, as comments do; a backslash inside one protects the next character.
// A line whose first word starts with "//" outside a string is a comment
// line: it holds no statement, and quotes in it open no string. A UTF-8
// byte order mark at the start, which some tools write, belongs to no
// statement: it is kept with the bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "database/EnvVarStatement.h"

class DatabaseText {
 public:
  DatabaseText() = default;
  // The variables' names are views into the bytes: a copy would point into
  // the original, so there is none. (Moving keeps the bytes where they are.)
  DatabaseText(const DatabaseText&) = delete;
  DatabaseText& operator=(const DatabaseText&) = delete;
  DatabaseText(DatabaseText&&) = default;
  DatabaseText& operator=(DatabaseText&&) = default;

  // Takes the bytes of a file. False, with the reason in errorText, when
  // they are not a database: a NUL byte (not text), a statement that does
  // not start with a keyword of the format, an "EV_" statement that cannot
  // be read, or a quoted string that is never closed. The reason is one
  // line that starts with the line number, as in
  //   line 12: "#include" is not a statement
  // No bytes (an empty file) are an empty database.
  bool read(std::string bytes, std::string& errorText);

  const std::string& bytes() const { return bytes_; }
  // Where the text starts: after a byte order mark, else at 0. Like the
  // start of a line, this is where a statement may be inserted.
  std::size_t textStart() const { return textStart_; }
  // The style of the first line end; a file without any uses CR LF.
  bool usesCrLf() const { return usesCrLf_; }
  const std::vector<EnvVarStatement>& variables() const { return variables_; }

  // The long names that database editors attach to shortened variable
  // names (see parseLongNameStatement), in file order: views into the bytes.
  struct LongName {
    std::string_view shortName;
    std::string_view longName;
  };
  const std::vector<LongName>& longNames() const { return longNames_; }

  // Where new variable statements go: right after the last "EV_" statement.
  // Without one, after the statements of the sections that precede the
  // variables in the format's order (up to the node list, value tables,
  // messages with their signals and their senders): before the first
  // statement of a section that follows the variables and comes after the
  // last of those, else at the end. So a comment that stands before the
  // messages does not draw the variables in front of them, and a file in
  // the format's order gets them before its first following section.
  std::size_t variableInsertOffset() const { return variableInsertOffset_; }

  // The node list of the first "BU_:" statement, if there is one.
  bool hasNodeList() const { return hasNodeList_; }
  const std::vector<std::string>& nodes() const { return nodes_; }
  // Right after the last node name (or the colon) of that statement.
  std::size_t nodeListEnd() const { return nodeListEnd_; }
  // Without a node list: where a "BU_:" statement goes, before the first
  // statement of a section that follows it in the format's order, else at
  // the end.
  std::size_t nodeListInsertOffset() const { return nodeListInsertOffset_; }

 private:
  bool readStatement(std::string_view line, std::size_t lineStart, std::size_t nextLine, int lineNumber,
                     std::string& errorText);
  bool readVariable(std::string_view line, int lineNumber, std::string& errorText);
  void readNodeList(std::string_view line, std::size_t lineStart, std::size_t keywordEnd);

  std::string bytes_;
  std::size_t textStart_ = 0;
  bool usesCrLf_ = true;
  std::vector<EnvVarStatement> variables_;
  std::vector<LongName> longNames_;
  bool hasNodeList_ = false;
  std::vector<std::string> nodes_;
  std::size_t nodeListEnd_ = 0;
  std::size_t lastVariableEnd_ = std::string::npos;
  // The first statement of a following section since the last statement of
  // a preceding one.
  std::size_t firstAfterVariables_ = std::string::npos;
  std::size_t firstAfterNodes_ = std::string::npos;
  std::size_t variableInsertOffset_ = 0;
  std::size_t nodeListInsertOffset_ = 0;
};
