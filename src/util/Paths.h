// Path handling shared by the command line, the run and the readers, and
// what the file system says about a path (Paths-posix.cpp, Paths-win32.cpp).
// Both "/" and "\\" separate directories everywhere; drive letters ("C:")
// exist on Windows only.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// The separator appended to a directory path: "/" on POSIX systems, "\\" on
// Windows.
extern const char kDirectorySeparator;
// The length of the drive ("C:") a path starts with: 0 without one, and
// always 0 on POSIX systems.
std::size_t driveLength(const std::string& path);

struct SplitPath {
  std::string drive;      // "C:" on Windows, else empty
  std::string directory;  // keeps its trailing separator
  std::string name;       // file name without extension
  std::string extension;  // from the last "." after the last separator, dot included
};

bool isPathSeparator(char c);

// A path that contains a separator and whose last "." does not come after
// its last separator names a directory: trailing separators are removed and
// exactly one kDirectorySeparator is appended. Any other path is returned
// unchanged.
std::string applyDirectoryPathRule(const std::string& path);

// Splits after applying the directory path rule.
SplitPath splitPath(const std::string& path);

// drive + directory + name + extension.
std::string joinPath(const SplitPath& parts);

// The path as the narrow file calls of the C library take it: on POSIX
// systems "\\" turned into "/".
std::string nativePath(const std::string& path);
// The path for the standard library's streams: on Windows in UTF-16, so
// that every character of a name reaches the file system whatever the
// code page.
std::filesystem::path fileSystemPath(const std::string& path);

enum class PathKind { Nothing, RegularFile, Directory, SymbolicLink, Other };
// What stands at the path: the one question every caller asks of it. With
// followLinks a symbolic link counts as what it names (Nothing when that is
// missing), without it as SymbolicLink. Other is a FIFO, a device, a
// socket, on Windows a device name, and something the process may not even
// ask about.
PathKind pathKindAt(const std::string& path, bool followLinks);
// The process may open the file at path for reading: a directory may not
// be, a FIFO or a device may; testing never blocks. On Windows a file that
// another program holds open and shares with nobody for reading counts
// too: the process may read it, though not now.
bool isReadableFile(const std::string& path);
// The absolute form of the path with ".", ".." and every symbolic link of
// the part that exists resolved (a dangling link too); the rest is taken
// as written. "\\" separates like "/".
std::string resolvedPath(const std::string& path);
// The path with its file name as the file system keeps it, the directory
// part as written. On Windows: the long name of the file at path (of a
// symbolic link there, which is not followed) in the letter case it is
// stored in, so that a short (8.3) name, another case, trailing dots and
// blanks all give one name; where nothing is there yet, the name as
// Windows will make it (trailing dots and blanks dropped). POSIX systems
// keep a name as it is written: the path is returned unchanged.
std::string withNameAsKept(const std::string& path);
// Both paths name one file: both exist and are the same file (device and
// inode: hard links too), or, where one does not exist yet, their resolved
// paths are equal.
bool namesSameFile(const std::string& first, const std::string& second);
// How many names (hard links) the file at path has, after following
// symbolic links; 0 when nothing is there.
unsigned long hardLinkCount(const std::string& path);
bool deleteFile(const std::string& path);
// The process may write the existing file at path (permissions, a
// read-only attribute, a read-only file system).
bool isWritable(const std::string& path);

enum class FileNameFault { None, ForbiddenCharacter, DataStream };
// Why the file system cannot make a file by this path's name although its
// directory exists: on Windows a name holding < > " | ? * or a control
// character, or a ":" after the drive, which names an alternate data
// stream of a file. None on POSIX systems, where every such name is a name.
FileNameFault fileNameFault(const std::string& path);
