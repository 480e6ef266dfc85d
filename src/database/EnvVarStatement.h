// The environment-variable statement of a CAN database (.dbc) file, one line:
//
//   EV_ <name>: <type> [<min>|<max>] "<unit>" <initial> <id> DUMMY_NODE_VECTOR<access> <nodes>;
//
// <type> is the type code, <access> the access code in hexadecimal (with
// 8000 added for a string variable), <nodes> a comma-separated list of node
// names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "database/VariableAttributes.h"

// The parts of an existing statement that the writer needs: views into the
// line it was read from.
struct EnvVarStatement {
  std::string_view name;
  uint64_t id = 0;
  std::string_view line;
};

// Reads a line without its line end. Blanks and tabs may surround every
// part; numbers may carry a sign, a fraction and an exponent, as in files
// written by other tools. False when the line is not one whole statement;
// failedAt then tells where in the line reading stopped.
bool parseEnvVarStatement(std::string_view line, EnvVarStatement& statement, std::size_t* failedAt = nullptr);

// The type, range and starting value of a statement that was read (only
// these variables' are needed, so they are read when asked for). A string
// variable is one of type 2 or one whose access code carries the string
// flag 8000 (as database editors write it, with type 0).
VariableAttributes envVarAttributes(const EnvVarStatement& statement);

// Database editors store a variable name of more than 32 characters as a
// shortened "EV_" name and this attribute statement (one line, without its
// line end):
//   BA_ "SystemEnvVarLongSymbol" EV_ <short name> "<long name>";
// False when the line is not one; the names are views into it.
bool parseLongNameStatement(std::string_view line, std::string_view& shortName, std::string_view& longName);

// A variable the writer adds. The texts are views: the caller's strings
// must outlive the formatting.
struct NewEnvVar {
  std::string_view name;
  int32_t typeCode = 0;
  int32_t variableCode = 0;
  uint64_t minimum = 0;
  uint64_t maximum = 0;
  uint64_t initialValue = 0;
  uint64_t id = 0;
  std::string_view node;
};

// Appends the statement of a new variable, in decimal, to out. A string
// variable (type code 2) carries no range: minimum, maximum and initial
// value are written as 0, and its access code gets the string flag 8000.
void appendEnvVarStatement(std::string& out, const NewEnvVar& variable);
// The longest statement of a variable, beyond the lengths of its name and
// node: every number at its widest.
constexpr std::size_t kEnvVarStatementFixedLength = 160;

// A name usable for a variable or node: a letter or "_", then letters,
// digits and "_".
bool isDatabaseIdentifier(const std::string& text);
