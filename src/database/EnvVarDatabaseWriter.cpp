#include "database/EnvVarDatabaseWriter.h"

#include <algorithm>

#include "database/EnvVarStatement.h"
#include "database/FileReplacement.h"
#include "util/FileRead.h"
#include "util/Identifier.h"
#include "util/Paths.h"
#include "util/StringFormat.h"
#include "util/TextStream.h"

namespace {

const char kDefaultNode[] = "Tester";

// A new database up to its node list.
const char* const kNewDatabaseHead[] = {
    "VERSION \"\"",
    "",
    "NS_ :",
    "",
    "BS_:",
    "",
};

// Something (a file that cannot be read, a directory) takes the path.
bool pathIsTaken(const std::string& path) { return pathKindAt(path, true) != PathKind::Nothing; }

}  // namespace

EnvVarDatabaseWriter::EnvVarDatabaseWriter(std::string nodeName)
    : node_(sanitizeIdentifier(nodeName, kDefaultNode)) {}

FileLock::Result EnvVarDatabaseWriter::lockDatabase(const std::string& path, const std::function<void()>& onWait) {
  const FileLock::Result result = lock_.acquire(path, onWait, lockWaitLimit_);
  lockTaken_ = result == FileLock::Result::Locked;
  if (result == FileLock::Result::TimedOut) errorText_ = "Another run kept the database locked";
  if (result == FileLock::Result::Unusable) {
    errorText_ = strFormat("Lock file \"%s\" cannot be used", FileLock::lockPathOf(path).c_str());
  }
  return result;
}

EnvVarDatabaseWriter::OpenResult EnvVarDatabaseWriter::openOrCreateDatabase(const std::string& path,
                                                                               bool discardOld) {
  close();
  errorText_.clear();
  refusal_.clear();
  keptVariables_.clear();
  fileInUse_ = false;
  const ReadAccess access = readAccessOf(path);
  const bool exists = access != ReadAccess::Missing;
  if (path.size() > kMaxPathLength) {
    errorText_ = strFormat("The path is longer than %zu characters", kMaxPathLength);
    return exists ? OpenResult::OpenFailed : OpenResult::CreateFailed;
  }
  // A FIFO would be read without end, a device replaced by a file.
  if (exists && pathKindAt(path, true) != PathKind::RegularFile) {
    errorText_ = "The file is not a regular file";
    return OpenResult::OpenFailed;
  }
  if (access == ReadAccess::InUse) {
    errorText_ = fileInUseText(path);
    fileInUse_ = true;
    return OpenResult::OpenFailed;
  }
  if (!lockTaken_ && lockDatabase(path) != FileLock::Result::Locked) {
    return exists ? OpenResult::OpenFailed : OpenResult::CreateFailed;
  }
  OpenResult result;
  if (exists && !discardOld) {
    result = openExisting(path) ? OpenResult::Opened : OpenResult::OpenFailed;
  } else {
    result = createNew(path, exists) ? OpenResult::Created : OpenResult::CreateFailed;
  }
  // Nothing will be saved after a failure: the next run need not wait.
  if (result == OpenResult::OpenFailed || result == OpenResult::CreateFailed) releaseLock();
  return result;
}

void EnvVarDatabaseWriter::releaseLock() {
  lock_.release();
  lockTaken_ = false;
}

bool EnvVarDatabaseWriter::openExisting(const std::string& path) {
  std::string bytes;
  switch (readWholeFile(path, kMaxDatabaseBytes, bytes)) {
    case FileReadResult::Read:
      break;
    case FileReadResult::TooLarge:
      errorText_ = "The file is larger than 1 GiB";
      return false;
    case FileReadResult::Failed:
      errorText_ = "The file cannot be read";
      return false;
    case FileReadResult::InUse:
      errorText_ = fileInUseText(path);
      fileInUse_ = true;
      return false;
  }
  if (!text_.read(std::move(bytes), errorText_)) {
    refusal_ = errorText_;
    return false;
  }
  learnFileVariables();
  path_ = path;
  isOpen_ = true;
  return true;
}

void EnvVarDatabaseWriter::learnFileVariables() {
  uint64_t highestId = 0;
  const std::size_t names = text_.variables().size() + text_.longNames().size();
  names_.reserve(names);
  fileStatements_.reserve(names);
  for (const EnvVarStatement& variable : text_.variables()) {
    if (names_.insertView(variable.name)) fileStatements_.push_back(&variable);
    highestId = std::max(highestId, variable.id);
  }
  // A long name counts once its short name is a variable of the file.
  for (const DatabaseText::LongName& name : text_.longNames()) {
    const std::size_t shortened = names_.indexOf(name.shortName);
    if (shortened == StringSet::npos) continue;
    if (names_.insertView(name.longName)) fileStatements_.push_back(fileStatements_[shortened]);
  }
  noted_.assign(fileStatements_.size(), false);
  idsExhausted_ = highestId == UINT64_MAX;
  nextId_ = highestId + 1;
}

bool EnvVarDatabaseWriter::createNew(const std::string& path, bool replaceExisting) {
  if (!replaceExisting && pathIsTaken(path)) {
    errorText_ = strFormat("\"%s\" exists but cannot be read as a file", path.c_str());
    return false;
  }
  TextStream skeleton;
  skeleton.lines(kNewDatabaseHead);
  skeleton.line("BU_: " + node_);
  skeleton.line();
  const std::string& bytes = skeleton.contents();
  const auto writeSkeleton = [&bytes](TextStream& out) {
    out.setLineEnd(TextStream::LineEnd::AsGiven);
    out.write(bytes);
  };
  if (replaceExisting) {
    // The old database stays until the save replaces it with the new one,
    // so that a run that ends or is killed before it loses nothing.
    if (!isWritable(path)) {
      errorText_ = strFormat("\"%s\" is write-protected", path.c_str());
      return false;
    }
  } else if (!replaceFile(path, writeSkeleton, errorText_)) {
    return false;
  }
  if (!text_.read(bytes, errorText_)) return false;
  idsExhausted_ = false;
  nextId_ = 1;
  path_ = path;
  isOpen_ = true;
  return true;
}

bool EnvVarDatabaseWriter::variableExists(const std::string& name) const { return names_.contains(name); }

void EnvVarDatabaseWriter::reserveVariables(std::size_t count) { names_.reserve(names_.size() + count); }

std::string& EnvVarDatabaseWriter::statementRoom(std::size_t length) {
  // A megabyte per chunk: large enough to be written in one go, small
  // enough to come from the heap. The first is smaller, as most runs add
  // a few variables only.
  constexpr std::size_t kFirstChunkBytes = 64 * 1024;
  constexpr std::size_t kChunkBytes = 1 << 20;
  if (newStatements_.empty() || newStatements_.back().capacity() - newStatements_.back().size() < length) {
    const std::size_t size = newStatements_.empty() ? kFirstChunkBytes : kChunkBytes;
    newStatements_.emplace_back();
    newStatements_.back().reserve(std::max(size, length));
  }
  return newStatements_.back();
}

bool EnvVarDatabaseWriter::addVariable(const std::string& name, int32_t variableCode, int32_t typeCode,
                                        uint64_t minimum, uint64_t maximum, uint64_t initialValue) {
  errorText_.clear();
  if (!isOpen_) {
    errorText_ = "No database is open";
    return false;
  }
  if (name.size() >= kNameLengthLimit) {
    errorText_ = strFormat("The variable name is %zu characters or longer", kNameLengthLimit);
    return false;
  }
  if (!isDatabaseIdentifier(name)) {
    errorText_ = "The variable name is not an identifier";
    return false;
  }
  if (variableExists(name)) {
    VariableAttributes needed;
    needed.typeCode = typeCode;
    needed.minimum = static_cast<double>(minimum);
    needed.maximum = static_cast<double>(maximum);
    needed.initialValue = static_cast<double>(initialValue);
    noteKept(name, needed);
    return true;
  }
  if (typeCode < 0 || typeCode > 2 || variableCode < 0 || variableCode > 3) {
    errorText_ = strFormat("Type code %d or variable code %d is not valid", static_cast<int>(typeCode),
                           static_cast<int>(variableCode));
    return false;
  }
  if (idsExhausted_) {
    errorText_ = "No variable id is left";
    return false;
  }
  NewEnvVar variable;
  variable.name = name;
  variable.typeCode = typeCode;
  variable.variableCode = variableCode;
  variable.minimum = minimum;
  variable.maximum = maximum;
  variable.initialValue = initialValue;
  variable.id = nextId_;
  variable.node = node_;
  std::string& chunk = statementRoom(name.size() + node_.size() + kEnvVarStatementFixedLength + 1);
  const std::size_t start = chunk.size();
  appendEnvVarStatement(chunk, variable);
  chunk += '\n';
  // "EV_ " comes before the name.
  names_.insertView(std::string_view(chunk.data() + start + 4, name.size()));
  ++newStatementCount_;
  idsExhausted_ = nextId_ == UINT64_MAX;
  ++nextId_;
  return true;
}

void EnvVarDatabaseWriter::noteKept(const std::string& name, const VariableAttributes& needed) {
  const std::size_t index = names_.indexOf(name);
  // The run's own variables come after the file's.
  if (index >= fileStatements_.size() || noted_[index]) return;
  const VariableAttributes kept = envVarAttributes(*fileStatements_[index]);
  if (sameAttributes(kept, needed)) return;
  noted_[index] = true;
  keptVariables_.push_back({name, kept, needed});
}

bool EnvVarDatabaseWriter::saveAndClose() {
  errorText_.clear();
  savedOverOtherLinks_ = false;
  if (!isOpen_) {
    errorText_ = "No database is open";
    return false;
  }
  const bool otherLinks = hardLinkCount(path_) > 1;
  const bool saved = replaceFile(
      path_, [this](TextStream& out) { writeDatabase(out); }, errorText_);
  close();
  releaseLock();
  savedOverOtherLinks_ = saved && otherLinks;
  return saved;
}

void EnvVarDatabaseWriter::close() {
  isOpen_ = false;
  path_.clear();
  // The names point into the texts: they go first.
  names_.clear();
  fileStatements_.clear();
  noted_.clear();
  text_ = DatabaseText();
  newStatements_.clear();
  newStatementCount_ = 0;
  nextId_ = 1;
  idsExhausted_ = false;
}

// The old bytes with the new statements inserted. Kept bytes are copied as
// they are; inserted lines take the file's line-end style.
void EnvVarDatabaseWriter::writeDatabase(TextStream& out) const {
  enum class Insert { NodeName, NodeList, Variables };
  struct Insertion {
    std::size_t offset;
    Insert what;
  };
  std::vector<Insertion> insertions;
  if (newStatementCount_ > 0) {
    if (!text_.hasNodeList()) {
      insertions.push_back({text_.nodeListInsertOffset(), Insert::NodeList});
    } else if (std::find(text_.nodes().begin(), text_.nodes().end(), node_) == text_.nodes().end()) {
      insertions.push_back({text_.nodeListEnd(), Insert::NodeName});
    }
    insertions.push_back({text_.variableInsertOffset(), Insert::Variables});
  }
  // The node list comes first where both go to the same place.
  std::stable_sort(insertions.begin(), insertions.end(),
                   [](const Insertion& a, const Insertion& b) { return a.offset < b.offset; });

  const std::string& bytes = text_.bytes();
  const TextStream::LineEnd newLineEnd =
      text_.usesCrLf() ? TextStream::LineEnd::CrLf : TextStream::LineEnd::AsGiven;
  bool atLineStart = true;
  bool afterCarriageReturn = false;
  std::size_t copied = 0;
  const auto copyUpTo = [&](std::size_t offset) {
    if (offset == copied) return;
    out.setLineEnd(TextStream::LineEnd::AsGiven);
    out.write(std::string_view(bytes).substr(copied, offset - copied));
    atLineStart = offset == text_.textStart() || bytes[offset - 1] == '\n';
    afterCarriageReturn = bytes[offset - 1] == '\r';
    copied = offset;
  };
  const auto startLine = [&]() {
    if (afterCarriageReturn) {
      // A file that ends in a bare carriage return: the line feed completes
      // its line end (a second line end would leave the carriage return at
      // the end of the last line, where it breaks the statement).
      out.setLineEnd(TextStream::LineEnd::AsGiven);
      out.write("\n");
    } else if (!atLineStart) {
      out.setLineEnd(newLineEnd);
      out.line();
    }
    out.setLineEnd(newLineEnd);
    atLineStart = true;
    afterCarriageReturn = false;
  };

  for (const Insertion& insertion : insertions) {
    copyUpTo(insertion.offset);
    switch (insertion.what) {
      case Insert::NodeName:
        out.write(" " + node_);
        break;
      case Insert::NodeList:
        startLine();
        out.line("BU_: " + node_);
        break;
      case Insert::Variables:
        startLine();
        for (const std::string& chunk : newStatements_) out.write(chunk);
        break;
    }
  }
  copyUpTo(bytes.size());
}
