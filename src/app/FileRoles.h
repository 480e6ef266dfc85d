// One file must not play two roles in a run: an output written over the
// sheet deletes the user's signal descriptions, a database written over
// the column map or the log destroys it. The check runs after the command
// line is validated and before the run opens or writes anything.
#pragma once

#include <ostream>

class RunSettings;

// Compares the files each path role names (see namesSameFile): modes 1 and
// 3 first "-xls" against the relations file, then "-sdb" against the sheet,
// the column map, the log file and the relations file; then, in every mode,
// "-out" against the sheet, the column map, the log file and, in modes 1
// and 3, the relations file and "-sdb".
// At the first match writes the error prefix and
//   parameter "-out" (output file) names the same file as the signal description file "<path>"
// (the other role's path as the run forms it), a line end and an empty
// line, and returns false.
bool checkFileRoles(const RunSettings& settings, std::ostream& out);
