#include "util/WindowsText.h"

#include <windows.h>

#include <vector>

std::wstring wideText(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string utf8Text(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring widePath(const std::string& path) {
  std::wstring wide = wideText(path);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  // Paths that bypass the classic limit already go as they are; the others
  // by the length of their full path, which a relative path can exceed
  // while it is short itself.
  constexpr std::size_t kClassicLimit = 248;  // directories: 260 less room for an 8.3 name
  if (wide.empty() || wide.rfind(L"\\\\?\\", 0) == 0 || wide.rfind(L"\\\\.\\", 0) == 0) return wide;
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0 || length <= kClassicLimit) return wide;
  std::vector<wchar_t> full(length);
  if (GetFullPathNameW(wide.c_str(), length, full.data(), nullptr) == 0) return wide;
  const std::wstring absolute(full.data());
  if (absolute.size() < kClassicLimit) return wide;
  if (absolute.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + absolute.substr(2);
  return L"\\\\?\\" + absolute;
}

std::string systemMessage(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string message = length > 0 ? utf8Text(std::wstring_view(buffer, length)) : std::string();
  if (buffer != nullptr) LocalFree(buffer);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  if (message.empty()) message = "error " + std::to_string(errorCode);
  return message;
}
