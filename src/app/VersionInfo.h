// The program's own version texts, fixed at build time.
#pragma once

#include <string>

// key: "FileDescription", "ProductName", "CompanyName" or "LegalCopyright";
// any other key reads as empty.
std::string versionText(const std::string& key);

// "Error executing co447gen: ", the start of every command-line message.
const std::string& errorPrefix();
