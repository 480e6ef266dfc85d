#include "app/BashCompletion.h"

#include <string>

#include "app/CommandLineOptions.h"
#include "core/VirtualDevices.h"

namespace {

// What the completion offers after an option, by the value it takes.
struct ValueCompletion {
  OptionValue value;
  OptionValue alsoValue;
  const char* action;
};

const ValueCompletion kValueCompletions[] = {
    {OptionValue::Mode, OptionValue::Mode, "COMPREPLY=($(compgen -W '1 2 3' -- \"$cur\"))"},
    {OptionValue::NodeId, OptionValue::NodeId,
     "COMPREPLY=($(compgen -W '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16' -- \"$cur\"))"},
    {OptionValue::File, OptionValue::FileInDirectory,
     "compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")"},
    {OptionValue::Name, OptionValue::Name, "COMPREPLY=()"},
    {OptionValue::Format, OptionValue::Format, "COMPREPLY=($(compgen -W 'ULL' -- \"$cur\"))"},
};

const char* const kHead[] = {
    "# bash completion of co447gen, written by its build from the program's option tables.",
    "_co447gen() {",
    "  local cur=${COMP_WORDS[COMP_CWORD]} prev=",
    "  [ \"$COMP_CWORD\" -gt 0 ] && prev=${COMP_WORDS[COMP_CWORD-1]}",
    "  COMPREPLY=()",
    "  case $prev in",
};

// The options, the devices and, as the first argument, the help and
// version words.
std::string optionWords() {
  std::string words;
  for (const CommandLineOption& option : kCommandLineOptions) words += std::string(option.name) + " ";
  for (const VirtualDeviceOption& device : kVirtualDeviceOptions) words += std::string(device.option) + " ";
  words.pop_back();
  return words;
}

std::string firstArgumentWords() {
  std::string words = std::string(kHelpOption) + " " + kVersionOption;
  for (const char* spelling : kOtherHelpSpellings) words += std::string(" ") + spelling;
  return words;
}

}  // namespace

void writeBashCompletion(std::ostream& out) {
  for (const char* line : kHead) out << line << "\n";
  for (const ValueCompletion& completion : kValueCompletions) {
    std::string names;
    for (const CommandLineOption& option : kCommandLineOptions) {
      if (option.value != completion.value && option.value != completion.alsoValue) continue;
      names += (names.empty() ? "" : "|") + std::string(option.name);
    }
    if (!names.empty()) out << "    " << names << ") " << completion.action << "; return 0 ;;\n";
  }
  out << "  esac\n"
      << "  local words='" << optionWords() << "'\n"
      << "  [ \"$COMP_CWORD\" -eq 1 ] && words+=' " << firstArgumentWords() << "'\n"
      << "  COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
      << "}\n"
      << "complete -F _co447gen co447gen\n";
}
