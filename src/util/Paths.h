// Path handling shared by the command line, the run and the readers.
// Both "/" and "\\" separate directories; there are no drive letters here,
// so the drive part of a split path is always empty.
#pragma once

#include <string>

struct SplitPath {
  std::string drive;      // always empty on this platform
  std::string directory;  // keeps its trailing separator
  std::string name;       // file name without extension
  std::string extension;  // from the last "." after the last separator, dot included
};

bool isPathSeparator(char c);

// A path that contains a separator and whose last "." does not come after
// its last separator names a directory: trailing separators are removed and
// exactly one "/" is appended. Any other path is returned unchanged.
std::string applyDirectoryPathRule(const std::string& path);

// Splits after applying the directory path rule.
SplitPath splitPath(const std::string& path);

// drive + directory + name + extension.
std::string joinPath(const SplitPath& parts);

// The same path with "\\" turned into "/", for handing to the file system.
std::string nativePath(const std::string& path);

// A file exists when it can be opened for reading (directories do not count).
// A FIFO or device counts as existing; testing it never blocks.
bool fileExists(const std::string& path);
// The path names a regular file, after following symbolic links.
bool isRegularFile(const std::string& path);
// Something, a dangling symbolic link included, is at the path.
bool somethingAt(const std::string& path);
// The absolute form of the path with ".", ".." and every symbolic link of
// the part that exists resolved (a dangling link too); the rest is taken
// as written. "\\" separates like "/".
std::string resolvedPath(const std::string& path);
// Both paths name one file: both exist and are the same file (device and
// inode: hard links too), or, where one does not exist yet, their resolved
// paths are equal.
bool namesSameFile(const std::string& first, const std::string& second);
// How many names (hard links) the file at path has, after following
// symbolic links; 0 when nothing is there.
unsigned long hardLinkCount(const std::string& path);
bool directoryExists(const std::string& path);
bool deleteFile(const std::string& path);
