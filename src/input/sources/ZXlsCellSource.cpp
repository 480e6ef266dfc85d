#include "input/sources/ZXlsCellSource.h"

#include <fcntl.h>
#include <freexl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <algorithm>
#include <fstream>

#include "input/sources/ZCompoundFile.h"
#include "input/sources/ZDisplayText.h"
#include "input/sources/ZZipArchive.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CO447_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define CO447_SANITIZED 1
#endif
#if defined(CO447_SANITIZED)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

bool readWholeFile(const std::string& path, std::string& data) {
  std::ifstream in(nativePath(path), std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > ZZipArchive::kMaxEntryBytes) return false;
  in.seekg(0, std::ios::beg);
  data.assign(static_cast<std::size_t>(size), '\0');
  return size == 0 || static_cast<bool>(in.read(&data[0], size));
}

// The .xls library reads some damaged workbooks outside its buffers (found
// by fuzzing: workbooks that pass the record checks above still crash it).
// So every call the source may make is first tried in a child process: the
// workbook is opened and every cell of every sheet fetched there. Only when
// the child ends normally does the library see the file in this process.
bool libraryReadsWithoutFault(const std::string& path) {
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    // A crash is only this child's end: no message on the console, no
    // handler of the parent (nor a sanitizer's report) taking it for the
    // program's own.
    ::setsid();
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      ::dup2(devNull, STDOUT_FILENO);
      ::dup2(devNull, STDERR_FILENO);
    }
    for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) std::signal(signal, SIG_DFL);
#if defined(CO447_SANITIZED)
    __sanitizer_set_death_callback(nullptr);
#endif
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) == FREEXL_OK) {
      unsigned int sheets = 0;
      if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) sheets = 0;
      for (unsigned int sheet = 0; sheet < sheets && sheet < 0xFFFF; ++sheet) {
        const auto index = static_cast<unsigned short>(sheet);
        const char* name = nullptr;
        freexl_get_worksheet_name(handle, index, &name);
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(handle, index) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
          continue;
        }
        for (unsigned int row = 0; row < rows; ++row) {
          for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value;
            freexl_get_cell_value(handle, row, column, &value);
          }
        }
      }
    }
    if (handle != nullptr) freexl_close(handle);
    ::_exit(0);  // no exit handlers, no flushing of the parent's buffers
  }
  int status = 0;
  pid_t waited;
  do {
    waited = ::waitpid(child, &status, 0);
  } while (waited < 0 && errno == EINTR);
  return waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

ZXlsCellSource::~ZXlsCellSource() { close(); }

void ZXlsCellSource::close() {
  if (handle_ != nullptr) freexl_close(handle_);
  handle_ = nullptr;
  values_.clear();
}

ZCellSourceResult ZXlsCellSource::start() { return ZCellSourceResult::ok; }

ZCellSourceResult ZXlsCellSource::openDocument(const std::string& path) {
  // The workbook's records are read and checked before the library sees
  // the file, so that no declared size makes it allocate without bound.
  std::string data;
  if (!readWholeFile(path, data)) return ZCellSourceResult::failed;
  ZCompoundFile file;
  std::string stream;
  if (!file.load(std::move(data))) return ZCellSourceResult::failed;
  if (!file.readStream("Workbook", stream) && !file.readStream("Book", stream)) return ZCellSourceResult::failed;
  if (!workbook_.load(std::move(stream))) return ZCellSourceResult::failed;
  uint64_t cells = 0;
  for (const ZBiffSheet& sheet : workbook_.sheets()) {
    if (sheet.rows > kMaxRows || sheet.columns > kMaxColumns) return ZCellSourceResult::failed;
    cells += sheet.rows * sheet.columns;
  }
  if (cells > kMaxRows * kMaxColumns) return ZCellSourceResult::failed;

  if (!libraryReadsWithoutFault(nativePath(path))) return ZCellSourceResult::failed;
  const void* handle = nullptr;
  const int result = freexl_open(nativePath(path).c_str(), &handle);
  handle_ = handle;
  if (result != FREEXL_OK) {
    close();
    return ZCellSourceResult::failed;
  }
  return ZCellSourceResult::ok;
}

ZCellSourceResult ZXlsCellSource::selectSheet(const std::string& name) {
  unsigned int count = 0;
  if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) return ZCellSourceResult::failed;
  int selected = -1;
  std::string selectedName;
  for (unsigned int i = 0; i < count && i < 0xFFFF; ++i) {
    const char* sheetName = nullptr;
    if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &sheetName) != FREEXL_OK) continue;
    const std::string text = sheetName != nullptr ? sheetName : "";
    if (name.empty() || text == name) {
      selected = static_cast<int>(i);
      selectedName = text;
      break;
    }
    if (selected < 0 && toLowerAscii(text) == toLowerAscii(name)) {
      selected = static_cast<int>(i);
      selectedName = text;
    }
  }
  if (selected < 0) return ZCellSourceResult::failed;
  if (freexl_select_active_worksheet(handle_, static_cast<unsigned short>(selected)) != FREEXL_OK ||
      freexl_worksheet_dimensions(handle_, &rows_, &columns_) != FREEXL_OK) {
    return ZCellSourceResult::documentUnreadable;
  }

  // The same sheet among the workbook's records: by name, else by position.
  const std::vector<ZBiffSheet>& sheets = workbook_.sheets();
  std::size_t index = static_cast<std::size_t>(selected);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].name == selectedName) {
      index = i;
      break;
    }
  }
  if (!workbook_.readValues(index, values_)) return ZCellSourceResult::documentUnreadable;
  return ZCellSourceResult::ok;
}

ZCellSourceResult ZXlsCellSource::cellText(const ZCellAddress& address, std::string& text) {
  text.clear();
  const uint32_t row = static_cast<uint32_t>(address.row - 1);
  const uint32_t column = static_cast<uint32_t>(address.column);
  const auto found = std::lower_bound(values_.begin(), values_.end(), std::make_pair(row, column),
                                      [](const ZBiffValue& value, const std::pair<uint32_t, uint32_t>& key) {
                                        return value.row != key.first ? value.row < key.first
                                                                      : value.column < key.second;
                                      });
  if (found != values_.end() && found->row == row && found->column == column) {
    text = found->text;
  } else {
    text = libraryCellText(row, column);
  }
  return budget_.take(text.size()) ? ZCellSourceResult::ok : ZCellSourceResult::documentUnreadable;
}

std::string ZXlsCellSource::libraryCellText(uint32_t row, uint32_t column) const {
  std::string text;
  if (row >= rows_ || column >= columns_) return text;
  FreeXL_CellValue value;
  if (freexl_get_cell_value(handle_, row, static_cast<unsigned short>(column), &value) != FREEXL_OK) return text;
  switch (value.type) {
    case FREEXL_CELL_INT:
      text = displayNumber(value.value.int_value, ZNumberFormat::general);
      break;
    case FREEXL_CELL_DOUBLE:
      text = displayNumber(value.value.double_value, ZNumberFormat::general);
      break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      text = value.value.text_value != nullptr ? value.value.text_value : "";
      break;
    default:
      break;
  }
  return text;
}

ZCellSourceResult ZXlsCellSource::finish() {
  close();
  return ZCellSourceResult::ok;
}
