// Enters environment variables into a CAN database (.dbc) file.
//
// An existing file is opened and keeps every byte: new variable statements
// are inserted where the format expects them (see DatabaseText) and written
// in the file's own line-end style. A variable that database editors store
// under a shortened name with its long name in an attribute exists under
// both names. A new file starts as an empty database
// with CR LF line ends. Each new variable gets the next free id and the
// writer's node as its only node, and that node is added to the file's node
// list ("BU_:") when it is missing there.
//
// Saving writes a temporary file beside the database and renames it over
// the database, so a failed save leaves the old file untouched.
//
// From taking the database's lock (before opening or creating it) to the
// end of the save, the writer holds an exclusive lock on the database, so
// that runs that extend one database at the same time take turns instead of
// saving over each other's variables.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "database/DatabaseText.h"
#include "database/VariableAttributes.h"
#include "util/FileLock.h"
#include "util/StringSet.h"

class TextStream;

class EnvVarDatabaseWriter {
 public:
  enum class OpenResult { Opened, OpenFailed, Created, CreateFailed };

  // Longest database path accepted; a longer one fails to open or create.
  static constexpr std::size_t kMaxPathLength = 1024;
  // Largest database file that is opened: it is read whole, and a larger
  // one is no database a run is meant to extend.
  static constexpr std::size_t kMaxDatabaseBytes = std::size_t{1} << 30;
  // Variable names of this length or longer are refused.
  static constexpr std::size_t kNameLengthLimit = 500;

  // nodeName: the node that owns the variables, made an identifier;
  // "" means "Tester".
  explicit EnvVarDatabaseWriter(std::string nodeName);

  // How long lockDatabase waits for another run at most.
  static constexpr std::chrono::seconds kLockWaitLimit{300};

  // Takes the lock of the database at path (see FileLock); when another
  // run holds it, calls onWait once and waits up to the wait limit.
  // Unusable: no lock can be taken there (something that is no regular
  // file stands at the lock path, or no lock file can be made); TimedOut:
  // the wait ran out. Either way the database must not be touched.
  FileLock::Result lockDatabase(const std::string& path, const std::function<void()>& onWait = {});
  // For tests: another wait limit.
  void setLockWaitLimit(std::chrono::milliseconds limit) { lockWaitLimit_ = limit; }

  // Takes the lock first unless lockDatabase did. An existing file
  // (isReadableFile) is opened, otherwise a new database is created and written
  // at once; with discardOld an existing file is treated as a new database
  // that replaces it when it is saved (its link, owner and permissions
  // stay, and it keeps its old contents until then). Opening fails
  // when the file is not a regular file, is larger than kMaxDatabaseBytes
  // (checked before it is read) or is not a database (not text, a
  // statement that does not start with a keyword of the format, or an
  // "EV_" statement that cannot be read), and when the lock could not be
  // taken; creating fails when the file cannot be written, or when
  // something that cannot be read already takes the path (it is never
  // replaced). A file that another program keeps from being read (Windows)
  // fails to open, with or without discardOld, after about a second.
  OpenResult openOrCreateDatabase(const std::string& path, bool discardOld = false);
  // The last open failed because another program held the file.
  bool fileInUse() const { return fileInUse_; }

  bool variableExists(const std::string& name) const;

  // Makes room for this many more variables (a run knows how many it will
  // enter; growing the name index step by step costs more than the rest).
  void reserveVariables(std::size_t count);

  // True when the variable exists afterwards. An existing variable keeps
  // its attributes; when it came with the file and they differ from the
  // ones asked for, it is noted in keptVariables (once). False (nothing
  // added) without an open database, for a name that is no identifier or
  // has kNameLengthLimit characters or more, and for a type code other
  // than 0 to 2 or a variable code other than 0 to 3.
  bool addVariable(const std::string& name, int32_t variableCode, int32_t typeCode, uint64_t minimum,
                   uint64_t maximum, uint64_t initialValue);

  // The variables of the file that were asked for with other attributes
  // than they keep, in the order they were first asked for; emptied when
  // another database is opened or created.
  const std::vector<KeptVariable>& keptVariables() const { return keptVariables_; }

  // Writes the database, closes it and lets go of the lock. False when
  // nothing is open or the save failed; the old database is then untouched.
  bool saveAndClose();
  // The last save replaced a file that has other names (hard links): they
  // keep its old contents. (Writing it in place instead would leave half a
  // database should the run be killed meanwhile.)
  bool savedOverOtherLinks() const { return savedOverOtherLinks_; }

  // Why the last failed operation failed.
  const std::string& errorText() const { return errorText_; }
  // When the last open failed because the file's text is no database: the
  // reason, one line that names the line number and what stands there
  // (see DatabaseText::read). Empty otherwise.
  const std::string& refusal() const { return refusal_; }

 private:
  bool openExisting(const std::string& path);
  bool createNew(const std::string& path, bool replaceExisting);
  void close();
  void releaseLock();
  void writeDatabase(TextStream& out) const;
  void learnFileVariables();
  void noteKept(const std::string& name, const VariableAttributes& needed);

  // Room for one more statement of this length at the end of the
  // statements, in a chunk that does not move.
  std::string& statementRoom(std::size_t length);

  std::string node_;
  std::string path_;
  bool isOpen_ = false;
  DatabaseText text_;
  // The names of the file's variables and of the new ones: views of the
  // statements of the file (in text_) and of the new statements.
  StringSet names_;
  // The file's variables, by their place in names_ (the file's names come
  // first there, long names included): their statements in text_, and
  // whether they were noted as kept already.
  std::vector<const EnvVarStatement*> fileStatements_;
  std::vector<bool> noted_;
  std::vector<KeptVariable> keptVariables_;
  // The new statements, each followed by "\n", in chunks that are filled
  // up to their capacity and never grow, so the names point into them for
  // good.
  std::vector<std::string> newStatements_;
  std::size_t newStatementCount_ = 0;
  uint64_t nextId_ = 1;
  bool idsExhausted_ = false;
  std::string errorText_;
  std::string refusal_;
  FileLock lock_;
  bool lockTaken_ = false;  // lockDatabase took the lock
  bool savedOverOtherLinks_ = false;
  bool fileInUse_ = false;
  std::chrono::milliseconds lockWaitLimit_ = kLockWaitLimit;
};
