#ifndef BOLTGEN_APP_FILE_SYSTEM_H_
#define BOLTGEN_APP_FILE_SYSTEM_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace boltgen {

// The few questions the app layer asks the file system before a generation:
// where the size table and the help document are, and what the table holds.
// Behind one interface so that the app's tests answer them from memory rather
// than from a working folder of their own. Writing goes through
// WriteFilesAtomically, and a generation reads the table at the path found
// here; neither passes through this interface.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The names of the entries of every kind in `folder`, in no particular
  // order; empty when it cannot be listed.
  virtual std::vector<std::string> List(const std::string& folder) const = 0;

  // True for a regular file or a link to one.
  virtual bool IsFile(const std::string& path) const = 0;

  // The size table at `path` with its bounds kept (ReadSizeTable), or the
  // error naming the file and what is wrong with it.
  virtual Result<std::string> ReadSizeTable(const std::string& path) const = 0;
};

// The machine's own file system.
const FileSystem& RealFileSystem();

// Which entries of the working folder count as the data file.
enum class WorkingFolderEntry {
  kRegularFile,  // only a file; anything else is passed over
  kAnyKind,      // any entry of that name, so that a folder, a link to nothing
                 // or a FIFO is reported rather than silently replaced by the
                 // installed copy
};

// Where the size table (or the help document) is found: an entry in
// `working_dir` whose name equals `file_name` without regard to letter case,
// else the copy beside the program (`exe_dir`), else
// `exe_dir`/../share/boltgen. Empty when none exists.
std::string LocateDataFile(const FileSystem& files, std::string_view file_name,
                           const std::string& working_dir, const std::string& exe_dir,
                           WorkingFolderEntry entry = WorkingFolderEntry::kRegularFile);

}  // namespace boltgen

#endif  // BOLTGEN_APP_FILE_SYSTEM_H_
