#include "app/FileRoles.h"

#include <string>
#include <vector>

#include "app/RunReports.h"
#include "app/VersionInfo.h"
#include "core/RunSettings.h"
#include "util/Paths.h"

namespace {

struct Role {
  std::string description;  // "the log file"
  std::string path;         // as the run forms it
};

// The first role whose file the parameter's path names, or null.
const Role* sharedRole(const std::string& path, const std::vector<Role>& roles) {
  for (const Role& role : roles) {
    if (namesSameFile(path, role.path)) return &role;
  }
  return nullptr;
}

bool checkParameter(const std::string& parameter, const std::string& path, const std::vector<Role>& roles,
                    std::ostream& out) {
  const Role* role = sharedRole(path, roles);
  if (role == nullptr) return true;
  out << errorPrefix() << "parameter " << parameter << " names the same file as " << role->description << " \""
      << role->path << "\"\n\n";
  return false;
}

}  // namespace

bool checkFileRoles(const RunSettings& settings, std::ostream& out) {
  const std::string sheetPath = settings.sheetPath();
  const bool nodeScript = settings.generationMode() != 2;
  std::vector<Role> roles = {
      {"the signal description file", sheetPath},
      {"the column map", columnMapPath(sheetPath)},
      {"the log file", logFilePath(sheetPath)},
  };
  if (nodeScript) {
    const Role relations = {"the relations file", relationsFilePath(sheetPath)};
    // The run writes the relations file's header before it reads the sheet.
    if (!checkParameter("\"-xls\" (signal description file)", sheetPath, {relations}, out)) return false;
    roles.push_back(relations);
    if (!checkParameter("\"-sdb\" (database to generate)", settings.databasePath(), roles, out)) return false;
    roles.push_back({"the database", settings.databasePath()});
  }
  return checkParameter("\"-out\" (output file)", settings.outputPath(), roles, out);
}
