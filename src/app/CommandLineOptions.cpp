#include "app/CommandLineOptions.h"

#include <cstdlib>

const std::array<CommandLineOption, 12> kCommandLineOptions = {{
    {"-m", OptionValue::Mode, "generation mode"},
    {"-deldb", OptionValue::None, ""},
    {"-mex", OptionValue::Format, ""},
    {"-wide", OptionValue::None, ""},
    {"-id", OptionValue::NodeId, "node id of device under test"},
    {"-idt", OptionValue::NodeId, "tester node ID"},
    {"-sdb", OptionValue::FileInDirectory, "database to generate"},
    {"-xls", OptionValue::File, "signal description file"},
    {"-out", OptionValue::FileInDirectory, "output file"},
    {"-nme", OptionValue::Name, "name of device under test"},
    {"-tme", OptionValue::Name, "name of tester device"},
    {"-me", OptionValue::Format, ""},
}};

const CommandLineOption& commandLineOption(const std::string& name) {
  for (const CommandLineOption& option : kCommandLineOptions) {
    if (name == option.name) return option;
  }
  // A name the parser asks for and the table lacks is a fault of the build.
  std::abort();
}

const char kHelpOption[] = "--help";
const char kVersionOption[] = "--version";
const std::array<const char*, 2> kOtherHelpSpellings = {{"-h", "help"}};
