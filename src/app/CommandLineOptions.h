// The options of the command line: each one's name, what value it takes
// and how the parser's messages name it. The parser looks its options up
// here, and the shell completion is written from this table and the
// virtual device table, so that an option added here is known to both.
#pragma once

#include <array>
#include <string>

// What follows an option on the command line.
enum class OptionValue {
  None,             // a flag
  Mode,             // the generation mode: 1, 2 or 3
  NodeId,           // a node id: 1 to 16
  File,             // a path
  FileInDirectory,  // a path with a directory part that exists
  Name,             // a device name
  Format,           // the suffix of wide masks
};

struct CommandLineOption {
  const char* name;         // "-sdb"
  OptionValue value;
  const char* description;  // "database to generate", as the messages name it
};

// Every option but the virtual devices, in the order the parser looks them
// up (the devices come after -mex, -wide after the devices).
extern const std::array<CommandLineOption, 12> kCommandLineOptions;

// The entry of an option of the table; the parser asks only for those.
const CommandLineOption& commandLineOption(const std::string& name);

// Words that count only as the first argument, before any option is looked
// at: the help and the version. The further spellings of the help count
// only as the only argument ("/?" too on Windows: kPlatformHelpSpelling).
extern const char kHelpOption[];     // "--help"
extern const char kVersionOption[];  // "--version"
extern const std::array<const char*, 2> kOtherHelpSpellings;  // "-h", "help"
extern const char* const kPlatformHelpSpelling;  // "/?" on Windows, null elsewhere
// Where the help sends the user for the whole manual: "'man co447gen'",
// on Windows the documents beside co447gen.exe.
extern const char kManualPointer[];
